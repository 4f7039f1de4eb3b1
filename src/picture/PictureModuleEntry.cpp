// The picture module's C interface (PictureModuleAbi.h), which the loader in
// kalvero_picture_loader calls.

#include "picture/PictureModuleAbi.h"
#include "picture/PictureReader.h"

#include <QGuiApplication>
#include <clocale>
#include <cstring>
#include <mutex>
#include <new>
#include <string>

#define KALVERO_PICTURE_EXPORT extern "C" __attribute__((visibility("default")))

namespace kalvero {
namespace {

// Setting up Qt says things about the environment ("XDG_RUNTIME_DIR not set")
// that are no concern of someone importing a picture; fatal and critical
// messages still reach standard error.
void SetupMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg || type == QtCriticalMsg) {
        std::fputs((qFormatLogMessage(type, context, text) + "\n").toLocal8Bit().constData(),
                   stderr);
    }
}

// Text in SVG drawings needs fonts, and fonts need a QGuiApplication: one on
// the offscreen platform, kept for the life of the process (Qt cannot be
// set up twice), unless the program has its own Qt application.
void EnsureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    static int argc = 3;
    static char name[] = "kalvero-picture";
    static char platformOption[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, platformOption, platform, nullptr};
    // Qt takes the locale from the environment; the program keeps its own.
    const std::string locale = std::setlocale(LC_ALL, nullptr);
    const QtMessageHandler previous = qInstallMessageHandler(SetupMessage);
    new QGuiApplication(argc, argv); // never deleted: see above
    qInstallMessageHandler(previous);
    std::setlocale(LC_ALL, locale.c_str());
}

} // namespace
} // namespace kalvero

KALVERO_PICTURE_EXPORT int kalvero_picture_abi_version(void) {
    return KALVERO_PICTURE_ABI_VERSION;
}

KALVERO_PICTURE_EXPORT void kalvero_picture_decode(const KalveroPictureRequest* request,
                                                   KalveroPictureAnswer* answer) {
    using namespace kalvero;
    // Qt's message handler and standard error are the process's: one at a time.
    static std::mutex decoding;
    const std::lock_guard lock(decoding);
    thread_local Reason reason;
    answer->status = KALVERO_PICTURE_NOT_ACCEPTED;
    answer->tall = 0;
    try {
        EnsureGuiApplication();
        const FileResult<DecodedPicture> picture =
            ReadPicture(std::span(request->file, request->length));
        if (!picture) {
            reason = picture.error().reason;
            answer->status = picture.error().problem == FileProblem::TooLarge
                                 ? KALVERO_PICTURE_TOO_LARGE
                                 : KALVERO_PICTURE_NOT_ACCEPTED;
            answer->reason = reason.english().c_str();
            answer->german = reason.german().c_str();
            return;
        }
        const RgbImage& pixels = picture.value().pixels;
        unsigned char* store = request->store(request->context, pixels.width, pixels.height);
        if (store == nullptr) {
            throw std::bad_alloc();
        }
        std::memcpy(store, pixels.pixels.data(), pixels.pixels.size() * sizeof(Rgb));
        answer->tall = picture.value().tall ? 1 : 0;
        answer->status = KALVERO_PICTURE_DECODED;
    } catch (const std::bad_alloc&) {
        reason = Reason::of<"too large: out of memory", "zu groß: kein Speicher frei">();
        answer->status = KALVERO_PICTURE_TOO_LARGE;
        answer->reason = reason.english().c_str();
        answer->german = reason.german().c_str();
    }
}
