// kalvero-screenshot FILE OUT.png: the editor's main window with FILE (a logo or
// a BIOS image) opened from its command line, drawn into a PNG for the
// documentation.

#include "editor/Dialogs.h"
#include "shell/Form1.h"
#include "shell/platform/FileRegistry.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// Nobody is there to answer: every notice is taken as read, nothing is chosen.
class NoDialogs final : public kalvero::Dialogs {
public:
    int message(const kalvero::MessageRequest& request) override {
        std::fprintf(stderr, "%s: %s\n", request.title.c_str(), request.text.c_str());
        return request.buttons == kalvero::MessageButtons::Ok ? kalvero::AnswerOk
                                                              : kalvero::AnswerNo;
    }
    std::optional<std::string> openFile(const kalvero::FileDialogRequest&) override { return {}; }
    std::optional<std::string> saveFile(kalvero::FileDialogRequest&) override { return {}; }
    void openUrl(const std::string&) override {}
};

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: kalvero-screenshot FILE OUT.png\n");
        return 2;
    }
    QTemporaryDir settingsFolder;
    kalvero::FileRegistry settings(
        settingsFolder.filePath(QStringLiteral("settings")).toStdString());
    // The logo is opened from a copy, so its backup lands beside the copy.
    const QString logo = settingsFolder.filePath(QFileInfo(arguments[1]).fileName());
    if (!QFile::copy(arguments[1], logo)) {
        std::fprintf(stderr, "kalvero-screenshot: cannot read %s\n", qPrintable(arguments[1]));
        return 1;
    }
    NoDialogs dialogs;
    kalvero::Form1 window(
        {dialogs, settings, [](const kalvero::ShowRegistrationError&) {}, '"' + logo + '"'});
    window.Form_Activate();
    // The pointer resting over the logo fills the read-out.
    window.editor().Picture1_MouseMove(0, QPointF(58.5, 37.5));
    if (!window.document().hasLogo() || !window.grab().save(arguments[2], "PNG")) {
        std::fprintf(stderr, "kalvero-screenshot: no picture made\n");
        return 1;
    }
    return 0;
}
