// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The exercise sheet on an HTML canvas: what the engine's canvas (web_sheet_canvas.cpp)
// asks for, in logical pixels, drawn at the screen's pixel ratio. It keeps every drawing
// since the sheet was last filled, with the size that was kept of it, so that the browser's
// zoom or another screen draws the sheet again as sharply as at first.
export class Sheet {
    constructor(canvas) {
        this.canvas = canvas;
        this.context = canvas.getContext('2d', {alpha: false});
        this.measure = document.createElement('canvas').getContext('2d');
        this.measureFont = '';
        this.heights = new Map();
        this.width = 0;
        this.height = 0;
        this.face = 0xefefef;
        this.ratio = window.devicePixelRatio || 1;
        this.drawings = [];
    }

    // The sheet asks for "Times New Roman" as the desktop does; the page has Liberation
    // Serif, made to the same measures, under a name of its own.
    static font(name, size) {
        const family = /courier|mono/i.test(name) ? 'QX5 Mono' : 'QX5 Serif';
        return `${(size * 96) / 72}px "${family}"`;
    }

    static css(colour) {
        return '#' + colour.toString(16).padStart(6, '0');
    }

    measured(name, size) {
        const font = Sheet.font(name, size);
        if (font !== this.measureFont) {
            this.measure.font = font;
            this.measureFont = font;
        }
        return this.measure;
    }

    textWidth(name, size, text) {
        return Math.round(this.measured(name, size).measureText(text).width);
    }

    // Ascent and descent, each rounded, as a font engine measures a line.
    lineMetrics(name, size) {
        const font = Sheet.font(name, size);
        let line = this.heights.get(font);
        if (!line) {
            const m = this.measured(name, size).measureText('H');
            const ascent = Math.round(m.fontBoundingBoxAscent);
            line = {ascent, height: ascent + Math.round(m.fontBoundingBoxDescent)};
            this.heights.set(font, line);
        }
        return line;
    }

    textHeight(name, size) {
        return this.lineMetrics(name, size).height;
    }

    text(x, y, name, size, colour, fill, text) {
        this.add({kind: 'text', x, y, name, size, colour, fill, text});
    }

    rectangle(left, top, right, bottom, fill, pen) {
        this.add({kind: 'rectangle', left, top, right, bottom, fill, pen});
    }

    fillAll(fill) {
        this.drawings = [];
        this.add({kind: 'fill', fill});
    }

    resize(width, height, face) {
        this.width = width;
        this.height = height;
        this.face = face;
        for (const drawing of this.drawings) {
            drawing.keptWidth = Math.min(drawing.keptWidth, width);
            drawing.keptHeight = Math.min(drawing.keptHeight, height);
        }
        this.redraw();
    }

    // Draws it all again when the pixel ratio has changed (the browser's zoom, a move to
    // another screen); says whether it did.
    follow(ratio) {
        if (ratio === this.ratio) {
            return false;
        }
        this.ratio = ratio;
        this.redraw();
        return true;
    }

    add(drawing) {
        drawing.keptWidth = this.width;
        drawing.keptHeight = this.height;
        this.drawings.push(drawing);
        this.draw(drawing);
    }

    redraw() {
        const c = this.canvas;
        c.width = Math.ceil(this.width * this.ratio);
        c.height = Math.ceil(this.height * this.ratio);
        c.style.width = this.width + 'px';
        c.style.height = this.height + 'px';
        const g = this.context;
        g.setTransform(this.ratio, 0, 0, this.ratio, 0, 0);
        g.fillStyle = Sheet.css(this.face);
        g.fillRect(0, 0, this.width, this.height);
        for (const drawing of this.drawings) {
            this.draw(drawing);
        }
    }

    draw(d) {
        const g = this.context;
        g.save();
        g.beginPath();
        g.rect(0, 0, d.keptWidth, d.keptHeight);
        g.clip();
        if (d.kind === 'fill') {
            g.fillStyle = Sheet.css(d.fill);
            g.fillRect(0, 0, d.keptWidth, d.keptHeight);
        } else if (d.kind === 'rectangle') {
            // The outline as four one-pixel strips, in columns left and right - 1 and rows
            // top and bottom - 1.
            const width = d.right - d.left;
            const height = d.bottom - d.top;
            g.fillStyle = Sheet.css(d.fill);
            g.fillRect(d.left, d.top, width, height);
            g.fillStyle = Sheet.css(d.pen);
            g.fillRect(d.left, d.top, width, 1);
            g.fillRect(d.left, d.bottom - 1, width, 1);
            g.fillRect(d.left, d.top, 1, height);
            g.fillRect(d.right - 1, d.top, 1, height);
        } else {
            const line = this.lineMetrics(d.name, d.size);
            g.fillStyle = Sheet.css(d.fill);
            g.fillRect(d.x, d.y, this.textWidth(d.name, d.size, d.text), line.height);
            g.font = Sheet.font(d.name, d.size);
            g.fillStyle = Sheet.css(d.colour);
            g.fillText(d.text, d.x, d.y + line.ascent);
        }
        g.restore();
    }
}

// The sheet is drawn again at a new pixel ratio: the browser's zoom, another screen.
export function followPixelRatio(sheet, fit) {
    // WebKit leaves its page zoom out of the pixel ratio, and cannot watch the canvas's
    // device pixels either; there the zoom is the window's width over the page's (never
    // less than 1, so the sheet is never drawn blurrier than the ratio asks).
    let zoomOutside = false;
    const zoom = () => (zoomOutside && innerWidth > 0 ? Math.min(4, Math.max(1, outerWidth / innerWidth)) : 1);
    const follow = () => sheet.follow((window.devicePixelRatio || 1) * Math.round(zoom() * 20) / 20);
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
        zoomOutside = true;
        follow();
    }
    const watchRatio = () => {
        matchMedia(`(resolution: ${window.devicePixelRatio || 1}dppx)`).addEventListener('change', () => {
            follow();
            watchRatio();
        }, {once: true});
    };
    watchRatio();
}
