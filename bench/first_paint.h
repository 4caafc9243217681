// For the start-up benchmark's child programs: watches a window's first paint from
// outside the window's code and reports it on stdout, then ends the process.
//
//   client-painted            the first paint event of the client area has been handled
//   frame-painted hwm=K rss=K the event that painted it (the whole first frame, every
//                             child widget drawn and flushed) has been handled; the
//                             peak and the current resident memory in kB
//
// The parent reads the clock as each line arrives. The watcher is an event filter
// on the application: it runs the watched events itself, so it knows when they end.
#pragma once

#include "proc_status.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

namespace benchsupport {

class FirstPaintWatcher final : public QObject {
public:
    // `clientArea` gives the client area widget, or nullptr while there is none yet.
    explicit FirstPaintWatcher(std::function<QWidget*()> clientArea) : clientArea_(std::move(clientArea)) {}

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (clientPainted_) return false;
        QWidget* client = clientArea_();
        if (!client) return false;
        if (event->type() == QEvent::Paint && receiver == client) {
            receiver->event(event);
            clientPainted_ = true;
            std::fputs("client-painted\n", stdout);
            std::fflush(stdout);
            if (depth_ == 0) frameDone();  // painted outside any event the watcher runs
            return true;
        }
        QWidget* window = client->window();
        const bool ofWindow = receiver == window || (window->windowHandle() && receiver == window->windowHandle());
        if (ofWindow && (event->type() == QEvent::Expose || event->type() == QEvent::UpdateRequest ||
                         event->type() == QEvent::Paint)) {
            ++depth_;
            receiver->event(event);
            --depth_;
            if (clientPainted_ && depth_ == 0) frameDone();
            return true;
        }
        return false;
    }

private:
    [[noreturn]] static void frameDone()
    {
        std::printf("frame-painted hwm=%ld rss=%ld\n", statusKb("VmHWM"), statusKb("VmRSS"));
        std::fflush(stdout);
        std::_Exit(0);
    }

    std::function<QWidget*()> clientArea_;
    bool clientPainted_ = false;
    int depth_ = 0;
};

}  // namespace benchsupport
