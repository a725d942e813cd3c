#pragma once

// Ends the program once its window has painted for the first time, for the start-up benchmark.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

class QuitAtFirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Quit after the paint has been flushed to the screen.
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};
