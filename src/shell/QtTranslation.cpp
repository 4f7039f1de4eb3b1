#include "shell/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace kalvero {
namespace {

const QLocale German(QLocale::German, QLocale::Germany);
const QLocale English(QLocale::English, QLocale::UnitedStates);

} // namespace

QtTranslation::QtTranslation(QStringList folders) : folders_(std::move(folders)) {}

QtTranslation::~QtTranslation() {
    QCoreApplication::removeTranslator(&translator_);
}

QStringList QtTranslation::StandardFolders() {
    return {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
            QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
}

bool QtTranslation::loadGerman() {
    if (!translator_.isEmpty()) {
        return true;
    }
    // qtbase holds the texts of the widgets; qt_de.qm only names it and the
    // other modules' files, of which a system may lack some.
    for (const QString& folder : folders_) {
        for (const QString& catalogue : {QStringLiteral("qtbase"), QStringLiteral("qt")}) {
            if (translator_.load(German, catalogue, QStringLiteral("_"), folder)) {
                return true;
            }
        }
    }
    return false;
}

bool QtTranslation::use(Language language) {
    QLocale::setDefault(language == Language::German ? German : English);
    if (language == Language::English) {
        QCoreApplication::removeTranslator(&translator_);
        return true;
    }
    if (!loadGerman()) {
        return false;
    }
    QCoreApplication::installTranslator(&translator_);
    return true;
}

} // namespace kalvero
