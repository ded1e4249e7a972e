// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The main menu: an ARIA menu bar, worked by keyboard and pointer. An item is
// {caption, action, shortcut?, id?}, or '-' for a line.

import {anyDialogOpen, focusBack, make} from './dom.js';

export function makeMenuBar(menuBar) {
    const menus = [];
    const actions = new Map();
    // Where the pupil was before the menu bar: the answer box, the result or nothing.
    let returnFocus = null;

    function item(list, entry) {
        if (entry === '-') {
            list.append(make('div', {role: 'separator'}));
            return;
        }
        const element = make('div', {role: 'menuitem', tabindex: -1, id: entry.id}, entry.caption);
        if (entry.shortcut) {
            element.setAttribute('aria-keyshortcuts', entry.shortcut.replace('Ctrl', 'Control'));
            element.append(make('span', {class: 'shortcut'}, entry.shortcut));
        }
        actions.set(element, entry.action);
        list.append(element);
    }

    function add(title, items) {
        const button = make('button', {class: 'menu-title', role: 'menuitem', 'aria-haspopup': 'menu',
                                       'aria-expanded': 'false', tabindex: menus.length === 0 ? 0 : -1},
                            title);
        const list = make('div', {role: 'menu', 'aria-label': title, hidden: ''});
        items.forEach((entry) => item(list, entry));
        menuBar.append(make('div', {}, button, list));
        const menu = {button, list};
        menus.push(menu);
        button.addEventListener('click', () => (list.hidden ? open(menu, false) : close(true)));
        button.addEventListener('pointerenter', () => {
            if (menus.some((m) => !m.list.hidden) && list.hidden) {
                open(menu, false);
            }
        });
    }

    const entries = (menu) => [...menu.list.querySelectorAll('[role="menuitem"]')];

    function open(menu, focusFirst) {
        close(false);
        menu.list.hidden = false;
        menu.button.setAttribute('aria-expanded', 'true');
        focusTitle(menu);
        if (focusFirst) {
            entries(menu)[0].focus();
        }
    }

    function focusTitle(menu) {
        for (const m of menus) {
            m.button.tabIndex = m === menu ? 0 : -1;
        }
        menu.button.focus();
    }

    function close(giveBack) {
        for (const m of menus) {
            m.list.hidden = true;
            m.button.setAttribute('aria-expanded', 'false');
        }
        if (giveBack) {
            focusBack(returnFocus);
        }
    }

    function activate(entry) {
        if (entry.getAttribute('aria-disabled') !== 'true') {
            close(true);
            actions.get(entry)();
        }
    }

    menuBar.addEventListener('focusin', (e) => {
        if (!menuBar.contains(e.relatedTarget)) {
            returnFocus = e.relatedTarget;
        }
    });
    menuBar.addEventListener('click', (e) => {
        const entry = e.target.closest('[role="menu"] [role="menuitem"]');
        if (entry) {
            activate(entry);
        }
    });
    menuBar.addEventListener('keydown', (e) => {
        const index = menus.findIndex((m) => m.button.parentElement.contains(e.target));
        const menu = menus[index];
        const isOpen = !menu.list.hidden;
        const inList = menu.list.contains(e.target);
        const neighbour = (step) => menus[(index + step + menus.length) % menus.length];
        const items = entries(menu);
        const at = items.indexOf(e.target);
        const handled = {
            ArrowRight: () => (isOpen ? open(neighbour(1), inList) : focusTitle(neighbour(1))),
            ArrowLeft: () => (isOpen ? open(neighbour(-1), inList) : focusTitle(neighbour(-1))),
            ArrowDown: () => (inList ? items[(at + 1) % items.length].focus() : open(menu, true)),
            ArrowUp: () => (inList ? items[(at - 1 + items.length) % items.length].focus()
                                   : (open(menu, false), items[items.length - 1].focus())),
            Home: () => inList && items[0].focus(),
            End: () => inList && items[items.length - 1].focus(),
            Enter: () => (inList ? activate(e.target) : open(menu, true)),
            ' ': () => (inList ? activate(e.target) : open(menu, true)),
            Escape: () => (isOpen ? (close(false), focusTitle(menu)) : close(true)),
            Tab: () => close(false),
        }[e.key];
        if (handled) {
            handled();
            if (e.key !== 'Tab') {
                e.preventDefault();
            }
        }
    });
    // Whether Alt is down with no other key yet (F10 and a lone Alt, below).
    let altAlone = false;
    document.addEventListener('pointerdown', (e) => {
        altAlone = false;
        if (!menuBar.contains(e.target)) {
            close(false);
        }
    });
    // F10, or Alt pressed and released with no other key, goes to the menu bar as on the
    // desktop; from the menu bar, a lone Alt goes back as Esc does.
    document.addEventListener('keydown', (e) => {
        altAlone = e.key === 'Alt' && !e.repeat && !e.ctrlKey && !e.shiftKey && !e.metaKey;
        if (e.key === 'F10' && !e.altKey && !e.ctrlKey && !e.shiftKey && !e.metaKey && !anyDialogOpen()) {
            e.preventDefault();
            focusTitle(menus[0]);
        }
    }, true);
    document.addEventListener('keyup', (e) => {
        if (e.key === 'Alt' && altAlone && !anyDialogOpen()) {
            e.preventDefault();
            if (menuBar.contains(document.activeElement)) {
                close(true);
            } else {
                focusTitle(menus[0]);
            }
        }
        altAlone = false;
    });

    return {add, focus: () => menus[0].button.focus()};
}

// The type menu, group by group as the engine lists them: a line before each group after
// the first, the group's label (which only hides the exercise window), its types.
export function typeMenu(program, showType, hide) {
    return program.Groups.flatMap((label, group) => [
        ...(group > 0 ? ['-'] : []),
        ...(label !== '' ? [{caption: label, action: hide}] : []),
        ...program.Types.filter((type) => type.Group === group)
            .map((type) => ({caption: type.Caption, action: () => showType(type.Number)})),
    ]);
}
