#pragma once

#include "captions.h"

#include <QLocale>
#include <QStringList>

#include <memory>

class QTranslator;

namespace gw {

// Qt's own texts (the standard Yes/No/OK/Cancel buttons, the file dialog,
// the context menus of text fields) in the caption language: Qt's French
// translation is installed for French and taken out again for English, and
// every open window is told to re-caption itself. French also makes French
// (Canada) the default locale, for what Qt writes by locale (the file
// dialog's dates and file types); English restores the locale found at
// first. Without the translation file the program runs on with Qt's
// English texts.
class QtTexts {
public:
    QtTexts();
    // Takes the translation out again and restores the locale.
    ~QtTexts();
    QtTexts(const QtTexts&) = delete;
    QtTexts& operator=(const QtTexts&) = delete;

    // Qt's texts in `language`. False when they stay English for French
    // (no translation file; said once on standard error).
    bool apply(Language language);
    Language language() const { return language_; }

    // The folders searched for "qtbase_fr.qm", in order: Qt's own
    // translations folder, "translations" beside the program, then the
    // system's Qt 6 folder.
    static QStringList searchFolders();
    // The translation file of `language` that would be loaded; empty for
    // English and when none is found.
    static QString translationFile(Language language);

private:
    std::unique_ptr<QTranslator> translator_;
    // The few words Qt's French file leaves out.
    std::unique_ptr<QTranslator> missingWords_;
    QLocale startLocale_;
    bool installed_ = false;
    bool missingSaid_ = false;
    Language language_ = English;
};

} // namespace gw
