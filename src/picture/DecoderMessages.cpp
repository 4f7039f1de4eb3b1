#include "picture/DecoderMessages.h"

#include <QString>
#include <atomic>
#include <cstring>
#include <unistd.h>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace kalvero {
namespace {

std::atomic<DecoderMessages*> active = nullptr;

// Category whose warnings do not make a picture unusable: a colour profile Qt
// does not understand is left out and the picture taken as sRGB.
constexpr const char* ColourProfileCategory = "qt.gui.icc";

std::FILE* MemoryFile() {
#ifdef __linux__
    const int descriptor = memfd_create("kalvero-decoder-messages", MFD_CLOEXEC);
    if (descriptor >= 0) {
        if (std::FILE* file = fdopen(descriptor, "w+")) {
            return file;
        }
        close(descriptor);
    }
#endif
    return std::tmpfile();
}

void WriteAll(int descriptor, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = write(descriptor, text.data() + done, text.size() - done);
        if (written <= 0) {
            return;
        }
        done += static_cast<std::size_t>(written);
    }
}

} // namespace

DecoderMessages::DecoderMessages() {
    active = this;
    previous_ = qInstallMessageHandler(collect);
    std::fflush(stderr);
    capture_ = MemoryFile();
    savedError_ = capture_ != nullptr ? dup(STDERR_FILENO) : -1;
    if (savedError_ >= 0) {
        dup2(fileno(capture_), STDERR_FILENO);
    }
}

DecoderMessages::~DecoderMessages() {
    finish();
}

void DecoderMessages::finish() {
    if (finished_) {
        return;
    }
    finished_ = true;
    qInstallMessageHandler(previous_);
    active = nullptr;
    if (capture_ == nullptr) {
        return;
    }
    std::fflush(stderr);
    if (savedError_ >= 0) {
        dup2(savedError_, STDERR_FILENO);
        close(savedError_);
        savedError_ = -1;
    }
    std::rewind(capture_);
    char buffer[4096];
    for (std::size_t length; (length = std::fread(buffer, 1, sizeof buffer, capture_)) > 0;) {
        printed_.append(buffer, length);
    }
    std::fclose(capture_);
    capture_ = nullptr;
    while (!printed_.empty() && (printed_.back() == '\n' || printed_.back() == '\r')) {
        printed_.pop_back();
    }
}

void DecoderMessages::collect(QtMsgType type, const QMessageLogContext& context,
                              const QString& text) {
    DecoderMessages* const reading = active;
    if (reading == nullptr) { // from another thread, after the reading
        std::fputs((qFormatLogMessage(type, context, text) + "\n").toLocal8Bit().constData(),
                   stderr);
        return;
    }
    DecoderMessages& self = *reading;
    if (type == QtFatalMsg || type == QtCriticalMsg) {
        // Straight to the real standard error: Qt ends the process after a
        // fatal message, and nothing must hide why.
        const std::string line = qFormatLogMessage(type, context, text).toStdString() + "\n";
        WriteAll(self.savedError_ >= 0 ? self.savedError_ : STDERR_FILENO, line);
    }
    const bool complaint =
        type == QtCriticalMsg ||
        (type == QtWarningMsg && (context.category == nullptr ||
                                  std::strcmp(context.category, ColourProfileCategory) != 0));
    if (complaint && !self.complaint_) {
        self.complaint_ = text.toStdString();
    }
}

} // namespace kalvero
