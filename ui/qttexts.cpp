#include "qttexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>
#include <utility>

namespace gw {

namespace {

const QString kFrenchFile = QStringLiteral("qtbase_fr.qm");

// Qt 6 renamed the context of the file dialog's type column, and the French
// file still carries the old one: the column would read "Folder".
class FileTypeWords : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                      int /*n*/) const override
    {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0)
            return {};
        static const std::pair<const char*, const char*> words[] = {
            {"Folder", "Dossier"}, {"File Folder", "Dossier de fichiers"}, {"Drive", "Lecteur"},
            {"Shortcut", "Raccourci"}, {"Alias", "Alias"}, {"Unknown", "Inconnu"}};
        for (const auto& [english, french] : words) {
            if (qstrcmp(source, english) == 0)
                return QString::fromUtf8(french);
        }
        return {};
    }
};

} // namespace

QtTexts::QtTexts() = default;

QtTexts::~QtTexts()
{
    if (installed_) {
        QCoreApplication::removeTranslator(missingWords_.get());
        QCoreApplication::removeTranslator(translator_.get());
    }
    QLocale::setDefault(startLocale_);
}

QStringList QtTexts::searchFolders()
{
    QStringList folders{QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    if (QCoreApplication::instance())
        folders << QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"));
    folders << QStringLiteral("/usr/share/qt6/translations");
    folders.removeAll(QString());
    folders.removeDuplicates();
    return folders;
}

QString QtTexts::translationFile(Language language)
{
    if (language != French)
        return {};
    for (const QString& folder : searchFolders()) {
        const QFileInfo file(QDir(folder), kFrenchFile);
        if (file.isFile())
            return file.absoluteFilePath();
    }
    return {};
}

bool QtTexts::apply(Language language)
{
    language_ = language;
    QLocale::setDefault(language == French ? QLocale(QLocale::French, QLocale::Canada) : startLocale_);
    if (language != French) {
        if (installed_) {
            QCoreApplication::removeTranslator(missingWords_.get());
            QCoreApplication::removeTranslator(translator_.get());
        }
        installed_ = false;
        return true;
    }
    if (installed_)
        return true;
    if (!translator_) {
        auto translator = std::make_unique<QTranslator>();
        const QString file = translationFile(French);
        if (!file.isEmpty() && translator->load(file)) {
            translator_ = std::move(translator);
            missingWords_ = std::make_unique<FileTypeWords>();
        }
    }
    if (!translator_) {
        if (!missingSaid_) {
            const QByteArray folders = searchFolders().join(QStringLiteral(", ")).toLocal8Bit();
            std::fprintf(stderr,
                         "Gearwise Planner: %s was not found in %s (Debian package qt6-translations-l10n); "
                         "Qt's own buttons and dialogs stay in English.\n",
                         kFrenchFile.toLocal8Bit().constData(), folders.constData());
            missingSaid_ = true;
        }
        return false;
    }
    installed_ = QCoreApplication::installTranslator(translator_.get());
    if (installed_)
        QCoreApplication::installTranslator(missingWords_.get());
    return installed_;
}

} // namespace gw
