// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The exercise window: the sheet, the answer box over it and the tool bar. Every rule is the
// engine's; this moves the box, enables the buttons and says the steps to a screen reader.

import {Outcome} from './engine.js';
import {$, focusBack, format} from './dom.js';
import {makeToolBar} from './toolbar.js';

export function makeExercise({engine, sheet, program, output, dialogs}) {
    const {Texts: texts, Sizes: sizes, Types: types} = program;
    const TForm2 = $('TForm2');
    const ScrollBox1 = $('ScrollBox1');
    const PaintBox1 = $('PaintBox1');
    const Edit1 = $('Edit1');
    const Result = $('Result');

    for (const box of [Edit1, Result]) {
        box.style.width = sizes.AnswerBoxWidth + 'px';
        box.style.height = sizes.AnswerBoxHeight + 'px';
    }
    Edit1.maxLength = sizes.AnswerDigits;
    $('Label1').style.left = sizes.RangeLabelLeft + 'px';

    function showType(type) {
        TForm2.hidden = false;
        fit();
        engine.showType(type);
        seriesStarted();
    }

    function hide() {
        const hadFocus = TForm2.contains(document.activeElement);
        TForm2.hidden = true;
        if (hadFocus) {
            focusBack(null);
        }
    }

    // The sheet takes at least the visible part of the scrollable area, and never less than
    // its least height.
    function fit() {
        if (!TForm2.hidden) {
            engine.fit(ScrollBox1.clientWidth, Math.max(sizes.SheetMinHeight, ScrollBox1.clientHeight));
        }
    }

    function seriesStarted() {
        const state = engine.state();
        const view = engine.view();
        $('Label1').textContent = state.RangeLabel;
        $('SpeedButton10').disabled = state.ExerciseType === types[0].Number;
        $('SpeedButton6').disabled = state.ExerciseType === types[types.length - 1].Number;
        $('SheetArea').style.width = view.SheetWidth + 'px';
        $('SheetArea').style.height = Math.max(sizes.SheetMinHeight, view.SheetHeight) + 'px';
        Result.hidden = true;
        PaintBox1.removeAttribute('aria-description');
        showAnswerBox(state, view);
        output.update();
    }

    // The box over the place where the answer will be drawn, empty, with the focus; a screen
    // reader hears the step as the desktop's answer box says it.
    function showAnswerBox(state, view) {
        Edit1.value = '';
        Edit1.style.left = state.AnswerColumnX + 'px';
        Edit1.style.top = view.AnswerY + 'px';
        const name = format(texts.AnswerBoxName, state.StepIndex, state.StepsPerSeries, state.InstructionText);
        const description = format(texts.AnswerBoxDescription, state.CurrentNumber);
        Edit1.setAttribute('aria-label', name);
        $('Edit1Description').textContent = description;
        $('Announce').textContent = name + '. ' + description;
        Edit1.hidden = false;
        Edit1.focus({preventScroll: true});
        Edit1.scrollIntoView({block: 'nearest', inline: 'nearest'});
    }

    function submitAnswer(typed) {
        const outcome = engine.submit(typed);
        if (outcome === Outcome.TooLarge) {
            dialogs.message('TooLarge', texts.TooLarge);
        }
        if (outcome === Outcome.TooLarge || outcome === Outcome.Ignored) {
            return;
        }
        const state = engine.state();
        const view = engine.view();
        if (outcome === Outcome.NextStep) {
            showAnswerBox(state, view);
            return;
        }
        // The result takes the box's place and the focus, line by line for a screen reader.
        Result.value = view.Result.join('\n');
        Result.style.left = Edit1.style.left;
        Result.style.top = Edit1.style.top;
        Result.hidden = false;
        Result.focus({preventScroll: true});
        Edit1.hidden = true;
        PaintBox1.setAttribute('aria-description',
                               format(texts.ScoreDescription, state.CorrectCount, state.StepsPerSeries));
        $('Announce').textContent = view.Result.join(' ');
        output.update();
    }

    // The key rule: Enter hands in a box that is not empty; only digits and backspace reach
    // the box.
    Edit1.addEventListener('keydown', (e) => {
        if (e.key === 'Enter') {
            e.preventDefault();
            if (Edit1.value > ' ') {
                submitAnswer(Edit1.value);
            }
        }
    });
    Edit1.addEventListener('beforeinput', (e) => {
        if (e.inputType === 'insertText' && !/^[0-9]*$/.test(e.data || '')) {
            e.preventDefault();
        }
    });
    // What comes otherwise (a touch keyboard's composition, its corrections) is cut to its
    // digits, as many as the box takes.
    Edit1.addEventListener('input', () => {
        const digits = Edit1.value.replace(/[^0-9]/g, '').slice(0, sizes.AnswerDigits);
        if (Edit1.value !== digits) {
            Edit1.value = digits;
        }
    });

    const step = (change) => () => {
        change();
        seriesStarted();
    };
    makeToolBar(program, {
        SpeedButton1: output.print,
        SpeedButton2: dialogs.showHeading,
        SpeedButton4: output.copy,
        SpeedButton5: step(() => engine.newSeries(false)),
        SpeedButton3: step(() => engine.newSeries(true)),
        SpeedButton10: step(() => engine.stepType(-1)),
        SpeedButton6: step(() => engine.stepType(1)),
    });
    followPixelRatio(sheet, fit);
    return {showType, hide};
}

// The sheet is drawn again at a new pixel ratio: the browser's zoom, another screen.
function followPixelRatio(sheet, fit) {
    const follow = () => sheet.follow(window.devicePixelRatio || 1);
    // A resize may come a moment before the new pixel ratio does (Chromium's screen emulation
    // does so), and then nothing may tell the page of the ratio: look again for a second.
    let lookAgain = 0;
    window.addEventListener('resize', () => {
        fit();
        follow();
        clearTimeout(lookAgain);
        const look = (left) => {
            lookAgain = !follow() && left > 0 ? setTimeout(look, 100, left - 1) : 0;
        };
        look(10);
    });
    // A move to a screen of another ratio may change no size. The canvas's size in device
    // pixels tells, after layout; where the browser cannot watch that, the ratio's own media
    // query tells, once for each ratio.
    try {
        new ResizeObserver(follow).observe(sheet.canvas, {box: 'device-pixel-content-box'});
    } catch {
        // Safari knows no device-pixel box.
    }
    const watchRatio = () => {
        matchMedia(`(resolution: ${window.devicePixelRatio || 1}dppx)`).addEventListener('change', () => {
            follow();
            watchRatio();
        }, {once: true});
    };
    watchRatio();
}
