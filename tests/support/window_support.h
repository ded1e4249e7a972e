// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// What the window tests share: finding a control by name, waiting for the focus and the
// window states a compositor hands out, closing the modal windows a command opens,
// counting a window's events, and playing a series through the answer box.
#pragma once

#include "engine/engine_state.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <type_traits>
#include <utility>

namespace qx5::test {

// The control of that name and kind. A missing one fails the running test; a stand-in
// owned by the parent keeps the rest of the test from crashing.
template <class T, class Parent>
T* Child(Parent* parent, const char* name) {
    if (T* child = parent->template findChild<T*>(QLatin1String(name))) {
        return child;
    }
    QTest::qFail(
        qPrintable(QStringLiteral("no %1 named %2")
                       .arg(QLatin1String(T::staticMetaObject.className()), QLatin1String(name))),
        __FILE__, __LINE__);
    return new T(const_cast<std::remove_const_t<Parent>*>(parent));
}

// On Wayland a compositor places, sizes and activates the windows, and serves the
// clipboard; the program cannot ask for a geometry or the focus.
inline bool OnWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// Asks for the keyboard focus and waits until the application has handed it to the
// window. Where only the compositor hands out the focus (Qt's Wayland platform has no
// activation of its own), the wait holds until it has; isActiveWindow() would say yes as
// soon as the compositor's word comes in, before the window has the focus.
inline bool WaitUntilActive(QWidget* window) {
    window->activateWindow();
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 5000);
}

// Takes the window out of the maximised state. On Wayland it waits for the compositor's
// answer, which comes as a new size: asked for before, a size is one the maximised state
// does not allow, and the compositor ends the program.
inline bool Unmaximise(QWidget* window) {
    const QSize maximised = window->size();
    window->setWindowState(Qt::WindowNoState);
    return !OnWayland() ||
           QTest::qWaitFor([window, maximised] { return window->size() != maximised; }, 5000);
}

// Runs the action on the modal window that is up after the delay (null if none is). The
// timer belongs to the owner, so it cannot outlive a failed test.
inline void WhenModal(QObject* owner, int delayMs, std::function<void(QWidget*)> action) {
    QTimer::singleShot(delayMs, owner,
                       [action = std::move(action)] { action(QApplication::activeModalWidget()); });
}

// Runs the action on the next modal window; fails the test when none has opened.
inline void OnNextModal(QObject* owner, std::function<void(QWidget*)> action) {
    WhenModal(owner, 50, [action = std::move(action)](QWidget* modal) {
        QVERIFY2(modal, "no modal window opened");
        action(modal);
    });
}

// Closes the next modal window, if one opens, and keeps its caption. It waits until the
// window has the focus (closed before, it would leave the main window active, as if never
// left), for two seconds at most.
inline void CloseNextModal(QObject* owner, QString& caption, int triesLeft = 100) {
    WhenModal(owner, 20, [owner, &caption, triesLeft](QWidget* modal) {
        if (modal && (QApplication::activeWindow() == modal || triesLeft == 0)) {
            caption = modal->windowTitle();
            modal->close();
        } else if (triesLeft > 0) {
            CloseNextModal(owner, caption, triesLeft - 1);
        }
    });
}

// What the next modal message box showed; it is accepted.
struct MessageSeen {
    QString Text;
    QString Caption;
    QMessageBox::StandardButtons Buttons;
    QMessageBox::Icon Icon = QMessageBox::Question;
    int Count = 0;
};

inline void CloseNextMessage(QObject* owner, MessageSeen& seen) {
    WhenModal(owner, 0, [&seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) {
            return;
        }
        ++seen.Count;
        seen.Text = box->text();
        seen.Caption = box->windowTitle();
        seen.Buttons = box->standardButtons();
        seen.Icon = box->icon();
        box->accept();
    });
}

// Answers every modal message box that opens while it lives, so a second, unexpected box
// is counted instead of hanging the test.
class MessageCatcher : public QObject {
public:
    struct Message {
        QString text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        QWidget* parent;
    };

    MessageCatcher() {
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                return;
            }
            messages.append(
                {box->text(), box->icon(), box->standardButtons(), box->parentWidget()});
            box->reject();
        });
        timer_.start(10);
    }

    QList<Message> messages;

private:
    QTimer timer_;
};

// Counts the events of one type a window receives: activations unless told.
struct EventCounter : QObject {
    explicit EventCounter(QEvent::Type type = QEvent::WindowActivate)
        : Type(type) {}
    QEvent::Type Type;
    int Count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        Count += event->type() == Type ? 1 : 0;
        return false;
    }
};

// Types an answer for each step into the answer box, as the pupil does, and presses
// Enter, until the series is finished. answer(step) gives the number to type.
inline void PlaySeries(QLineEdit* answerBox, const EngineState& state,
                       const std::function<int(int step)>& answer) {
    // A series has at most nine steps; more answers mean the series does not finish.
    for (int typed = 0; !state.SeriesFinished && typed < MaxSteps + 1; ++typed) {
        QTest::keyClicks(answerBox, QString::number(answer(state.StepIndex)));
        QTest::keyClick(answerBox, Qt::Key_Return);
    }
    QVERIFY2(state.SeriesFinished, "the series did not finish");
}

} // namespace qx5::test
