#pragma once

#include <QtGlobal>
#include <cstdio>
#include <optional>
#include <string>

namespace kalvero {

// Collects what decoders say while a picture is read. Qt passes on the
// decoders' complaints as warnings (libjpeg's "Corrupt JPEG data", Qt's own
// allocation limit); some libraries print straight to standard error
// (libpng's and libtiff's errors), which is caught in a memory file for the
// time. Fatal and critical messages still reach standard error at once.
// One at a time: Qt has one message handler per process.
class DecoderMessages {
public:
    DecoderMessages();
    ~DecoderMessages();
    DecoderMessages(const DecoderMessages&) = delete;
    DecoderMessages& operator=(const DecoderMessages&) = delete;

    // Ends the collecting: Qt's handler and standard error are as before.
    void finish();

    // The first warning or critical message, if any.
    const std::optional<std::string>& complaint() const { return complaint_; }
    // What was printed straight to standard error, without its last newline.
    const std::string& printed() const { return printed_; }

private:
    static void collect(QtMsgType type, const QMessageLogContext& context, const QString& text);

    QtMessageHandler previous_ = nullptr;
    int savedError_ = -1;
    std::FILE* capture_ = nullptr;
    bool finished_ = false;
    std::optional<std::string> complaint_;
    std::string printed_;
};

} // namespace kalvero
