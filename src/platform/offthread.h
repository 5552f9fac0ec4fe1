#pragma once

#include "platform/folderlock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include <memory>
#include <type_traits>

namespace tivoral {

// Runs slow work (password hashing) on a thread of its own and waits for it in a local event
// loop, so the windows keep painting. User input waits until the work is done: a click handled
// meanwhile would start a second check inside this one. The wait is announced as the folder
// lock's is, so the program's timers hold still too.
template <typename Work> auto runOffWindowThread(Work work) -> std::invoke_result_t<Work> {
    std::invoke_result_t<Work> result{};
    const std::unique_ptr<QThread> thread(QThread::create([&result, &work] { result = work(); }));
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    if (!thread->isFinished()) {
        const auto announce = [](QEvent::Type type) {
            QEvent event(type);
            if (QCoreApplication::instance())
                QCoreApplication::sendEvent(QCoreApplication::instance(), &event);
        };
        announce(FolderLock::waitBeginsEvent());
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        announce(FolderLock::waitEndsEvent());
    }
    thread->wait();
    return result;
}

} // namespace tivoral
