#pragma once

#include "editor/LanguageTexts.h"

#include <QStringList>
#include <QTranslator>

namespace kalvero {

// Qt's own texts in the language of the window: the buttons of the message
// boxes, the file dialogs, the menus of the text boxes. Where Qt's translation
// files are missing these stay English; nothing else depends on them.
class QtTranslation {
public:
    // The folders searched for Qt's translation files, in order.
    explicit QtTranslation(QStringList folders = StandardFolders());
    ~QtTranslation();
    QtTranslation(const QtTranslation&) = delete;
    QtTranslation& operator=(const QtTranslation&) = delete;

    // Installs the translation for the language (English needs none) and
    // makes the language's locale the default. False when German was asked
    // for and no translation was found.
    bool use(Language language);

    // Qt's translations folder, then "translations" beside the program, where
    // a Windows installation keeps them.
    static QStringList StandardFolders();

private:
    bool loadGerman();

    QStringList folders_;
    QTranslator translator_;
};

} // namespace kalvero
