// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The main menu: an ARIA menu bar, worked by keyboard and pointer. An item is
// {caption, action, shortcut?, id?}, or '-' for a line.

import {focusBack} from './dom.js';

export function makeMenuBar(menuBar) {
    const menus = [];
    const actions = new Map();
    // Where the pupil was before the menu bar: the answer box, the result or nothing.
    let returnFocus = null;

    function item(list, entry) {
        if (entry === '-') {
            const line = document.createElement('div');
            line.setAttribute('role', 'separator');
            list.append(line);
            return;
        }
        const element = document.createElement('div');
        element.setAttribute('role', 'menuitem');
        element.tabIndex = -1;
        element.textContent = entry.caption;
        if (entry.shortcut) {
            const key = document.createElement('span');
            key.className = 'shortcut';
            key.textContent = entry.shortcut;
            element.setAttribute('aria-keyshortcuts', entry.shortcut.replace('Ctrl', 'Control'));
            element.append(key);
        }
        if (entry.id) {
            element.id = entry.id;
        }
        actions.set(element, entry.action);
        list.append(element);
    }

    function add(title, items) {
        const holder = document.createElement('div');
        const button = document.createElement('button');
        button.className = 'menu-title';
        button.setAttribute('role', 'menuitem');
        button.setAttribute('aria-haspopup', 'menu');
        button.setAttribute('aria-expanded', 'false');
        button.tabIndex = menus.length === 0 ? 0 : -1;
        button.textContent = title;
        const list = document.createElement('div');
        list.setAttribute('role', 'menu');
        list.setAttribute('aria-label', title);
        list.hidden = true;
        items.forEach((entry) => item(list, entry));
        holder.append(button, list);
        menuBar.append(holder);
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
    document.addEventListener('pointerdown', (e) => {
        if (!menuBar.contains(e.target)) {
            close(false);
        }
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
