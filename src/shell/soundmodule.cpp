#include "shell/soundmodule.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <dlfcn.h>

namespace zb {

SoundModule::SoundModule(QStringList files, QObject* parent)
    : QObject(parent), files_(std::move(files)) {}

SoundModule::~SoundModule() {
    ending_ = true;
    if (worker_.joinable())
        worker_.join();
}

SoundModule& SoundModule::process() {
    static SoundModule module(defaultFiles(QCoreApplication::applicationDirPath()));
    return module;
}

QStringList SoundModule::defaultFiles(const QString& programFolder) {
    return {programFolder + QLatin1Char('/') + QLatin1String(kFileName),
            programFolder + QStringLiteral("/../lib/zorbinet/") + QLatin1String(kFileName)};
}

void SoundModule::setFiles(QStringList files) {
    if (state_ == State::Loading || state_ == State::Ready)
        return;
    files_ = std::move(files);
    state_ = State::Idle;
}

void SoundModule::load() {
    if (state_ != State::Idle)
        return;
    QString file;
    for (const QString& candidate : files_) {
        if (QFileInfo(candidate).isFile()) {
            file = candidate;
            break;
        }
    }
    if (file.isEmpty()) {
        // Reported on the next turn of the event loop, like a load that fails on the thread.
        state_ = State::Loading;
        QMetaObject::invokeMethod(
            this, [this] { done(nullptr, QStringLiteral("no sound module")); },
            Qt::QueuedConnection);
        return;
    }
    state_ = State::Loading;
    const QByteArray path = QFile::encodeName(file);
    worker_ = std::thread([this, path] {
        // Never unloaded: channels made by it may live to the end of the program.
        void* handle = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
        MakeSoundChannel make = nullptr;
        QString error;
        if (!handle) {
            error = QString::fromLocal8Bit(dlerror());
        } else {
            make = reinterpret_cast<MakeSoundChannel>(dlsym(handle, kSoundChannelEntry));
            if (!make)
                error = QStringLiteral("the sound module has no entry point");
        }
        // The destructor waits for this thread, so the object is alive here; it may be past
        // the point where its events are still delivered, which then drops the report.
        if (!ending_)
            QMetaObject::invokeMethod(
                this, [this, make, error] { done(make, error); }, Qt::QueuedConnection);
    });
}

void SoundModule::done(MakeSoundChannel make, const QString& error) {
    if (worker_.joinable())
        worker_.join();
    make_ = make;
    error_ = error;
    state_ = make ? State::Ready : State::Failed;
    emit finished(make != nullptr);
}

std::unique_ptr<SoundChannel> SoundModule::makeChannel() const {
    if (state_ != State::Ready || !make_)
        return nullptr;
    return std::unique_ptr<SoundChannel>(make_());
}

} // namespace zb
