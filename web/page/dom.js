// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// What the parts of the page share: its elements by id, new elements, a caption's access
// letter, the messages' placeholders, and the way back to where the pupil was.

export const $ = (id) => document.getElementById(id);

// A new element with its attributes (those given as undefined left out) and its children.
export function make(tag, attributes = {}, ...children) {
    const element = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes)) {
        if (value !== undefined) {
            element.setAttribute(name, value);
        }
    }
    element.append(...children);
    return element;
}

export const anyDialogOpen = () => document.querySelector('dialog[open]') !== null;

// Ctrl+P, or Cmd+P on a Mac.
export const isPrintKey = (e) => (e.ctrlKey || e.metaKey) && !e.altKey && e.code === 'KeyP';

// "%1", "%2", ... of an engine's text filled in.
export const format = (text, ...values) =>
    values.reduce((t, v, i) => t.replace('%' + (i + 1), v), text);

// Back to where the pupil was before a menu or a dialog: the answer box or the result, or
// the menu bar where that is hidden now with the exercise window.
export function focusBack(element) {
    (element && element.offsetParent ? element : document.querySelector('.menu-title')).focus();
}

// A caption's "&" letter, underlined.
export function withAccessKey(element, caption) {
    const at = caption.indexOf('&');
    element.textContent = '';
    if (at < 0) {
        element.append(caption);
        return;
    }
    element.append(caption.slice(0, at), make('u', {}, caption[at + 1]), caption.slice(at + 2));
}
