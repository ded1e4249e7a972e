// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The exercise window: the sheet, the answer box over it and the tool bar. Every rule is the
// engine's; this moves the box, enables the buttons and says the steps to a screen reader.
// A screen reader hears each step, and then the result, by the focus alone: each step's box
// is a new element that takes the focus, and the result is a list box of lines, its first
// with the focus. A list box, not text: a screen reader then leaves the arrow keys to the
// page, where they go from line to line, and speaks each line once.

import {Outcome} from './engine.js';
import {$, focusBack, format, make} from './dom.js';
import {followPixelRatio} from './sheet.js';
import {makeToolBar} from './toolbar.js';

export function makeExercise({engine, sheet, program, output, dialogs}) {
    const {Texts: texts, Sizes: sizes, Types: types} = program;
    const TForm2 = $('TForm2');
    const ScrollBox1 = $('ScrollBox1');
    const PaintBox1 = $('PaintBox1');
    const Result = $('Result');
    const HandIn = $('HandIn');
    let Edit1 = $('Edit1');
    let boxes = 0;
    // The sheet never narrower than a series of any type needs: on a narrow view it keeps
    // the desktop's geometry and scrolls sideways, its answer column in view.
    const sheetWidth = Math.max(...types.map((type) => type.SheetWidth));

    Edit1.style.width = sizes.AnswerBoxWidth + 'px';
    Edit1.style.height = sizes.AnswerBoxHeight + 'px';
    Edit1.maxLength = sizes.AnswerDigits;
    const newBox = Edit1.cloneNode(false);
    Result.addEventListener('keydown', readResult);
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
            engine.fit(Math.max(sheetWidth, ScrollBox1.clientWidth),
                       Math.max(sizes.SheetMinHeight, ScrollBox1.clientHeight));
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
        PaintBox1.removeAttribute('aria-description');
        showAnswerBox(state, view);
        output.update();
    }

    // A new box over the place where the answer will be drawn, empty, with the focus; a
    // screen reader hears the step as the desktop's answer box says it. Its description is
    // its own: a changed one on the box with the focus would be heard as news of its own.
    function showAnswerBox(state, view) {
        const old = Edit1;
        const description = make('span', {class: 'unseen', id: `Edit1Description${++boxes}`},
                                 format(texts.AnswerBoxDescription, state.CurrentNumber));
        Edit1 = newBox.cloneNode(false);
        old.removeAttribute('id');
        Edit1.style.left = state.AnswerColumnX + 'px';
        Edit1.style.top = view.AnswerY + 'px';
        Edit1.setAttribute('aria-label', format(texts.AnswerBoxName, state.StepIndex, state.StepsPerSeries,
                                                state.InstructionText));
        Edit1.setAttribute('aria-describedby', description.id);
        Edit1.hidden = false;
        takesKeys(Edit1);
        old.after(Edit1, description);
        HandIn.style.left = state.AnswerColumnX + sizes.AnswerBoxWidth + 4 + 'px';
        HandIn.style.top = Edit1.style.top;
        HandIn.hidden = false;
        const resultShown = !Result.hidden;
        // The focus goes to the new box first, and the old one goes after the next frame: a
        // screen reader told first that the element with the focus was taken away moves its
        // own focus quietly to what follows, and then takes the focus event for old news.
        Edit1.focus({preventScroll: true});
        requestAnimationFrame(() => setTimeout(() => {
            old.remove();
            $(old.getAttribute('aria-describedby'))?.remove();
            if (resultShown) {
                Result.hidden = true;
                Result.replaceChildren();
            }
        }));
        // The hand-in button too, where it is shown, beside the box.
        for (const element of [Edit1, HandIn]) {
            element.scrollIntoView({block: 'nearest', inline: 'nearest'});
        }
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
        // The result takes the box's place and the focus on its first line, the score; the
        // sheet's description says the score, and nothing asks for a number any more.
        const line = (text) => make('div', {role: 'option', tabindex: -1}, text);
        Result.replaceChildren(...view.Result.map(line));
        Result.style.left = Edit1.style.left;
        Result.style.top = Edit1.style.top;
        Result.hidden = false;
        Result.firstChild.focus({preventScroll: true});
        HandIn.hidden = true;
        // The last box stays, unseen, empty and named as the result, until the focus leaves
        // the score: Orca, when the element it last had is gone by the time it hears of a
        // focus on text, moves its own focus there quietly and says nothing.
        const box = Edit1;
        box.classList.add('retired');
        box.readOnly = true;
        box.tabIndex = -1;
        box.setAttribute('aria-label', texts.ResultName);
        $(box.getAttribute('aria-describedby')).textContent = '';
        Result.addEventListener('focusout', () => (box.hidden = true), {once: true});
        PaintBox1.setAttribute('aria-description',
                               format(texts.ScoreDescription, state.CorrectCount, state.StepsPerSeries));
        output.update();
    }

    // The arrow keys, Home and End go from line to line of the result.
    function readResult(e) {
        const lines = [...Result.children];
        const at = lines.indexOf(e.target);
        const to = {ArrowDown: at + 1, ArrowUp: at - 1, Home: 0, End: lines.length - 1}[e.key];
        if (to !== undefined && !e.altKey && !e.ctrlKey) {
            e.preventDefault();
            lines[Math.max(0, Math.min(lines.length - 1, to))].focus({preventScroll: true});
        }
    }

    // The key rule: Enter hands in a box that is not empty; only digits and backspace reach
    // the box. The hand-in button does what Enter does, and leaves the focus (and a touch
    // keyboard) with the box.
    const handIn = () => {
        if (Edit1.value > ' ') {
            submitAnswer(Edit1.value);
        }
    };
    HandIn.tabIndex = -1;
    HandIn.addEventListener('pointerdown', (e) => e.preventDefault());
    HandIn.addEventListener('mousedown', (e) => e.preventDefault());
    HandIn.addEventListener('click', handIn);
    function takesKeys(box) {
        box.addEventListener('keydown', (e) => {
            if (e.key === 'Enter') {
                e.preventDefault();
                handIn();
            }
        });
        box.addEventListener('beforeinput', (e) => {
            if (e.inputType === 'insertText' && !/^[0-9]*$/.test(e.data || '')) {
                e.preventDefault();
            }
        });
        // What comes otherwise (a touch keyboard's composition, its corrections) is cut to
        // its digits, as many as the box takes.
        box.addEventListener('input', () => {
            const digits = box.value.replace(/[^0-9]/g, '').slice(0, sizes.AnswerDigits);
            if (box.value !== digits) {
                box.value = digits;
            }
        });
    }

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
