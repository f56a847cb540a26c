#include "casemenu.h"

#include "captionsource.h"
#include "widgets.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace gw {

QString QtCaseFileService::askOpenCaseFile(const QString& title, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent_, title, folder, filter, nullptr, QFileDialog::DontUseNativeDialog);
}

QString QtCaseFileService::askSaveCaseFile(const QString& title, const QString& suggestedPath, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent_, title, suggestedPath, filter, nullptr,
                                        QFileDialog::DontUseNativeDialog);
}

CaseMenu::CaseMenu(const CaptionSource& captions, QMenu& fileMenu) : QObject(&fileMenu), captions_(captions)
{
    setObjectName(QStringLiteral("caseMenu"));
    mnuNewCase = MakeAction(QStringLiteral("mnuNewCase"), this);
    mnuNewCase->setShortcut(QKeySequence::New);
    mnuOpenCase = MakeAction(QStringLiteral("mnuOpenCase"), this);
    mnuOpenCase->setShortcut(QKeySequence::Open);
    mnuRecentCases = new QMenu(&fileMenu);
    mnuRecentCases->setObjectName(QStringLiteral("mnuRecentCases"));
    mnuSaveCase = MakeAction(QStringLiteral("mnuSaveCase"), this);
    mnuSaveCase->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuSaveCaseAs = MakeAction(QStringLiteral("mnuSaveCaseAs"), this);
    mnuSaveCaseAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    mnuCaseNote = MakeAction(QStringLiteral("mnuCaseNote"), this);

    // Above whatever the menu already holds.
    QAction* first = fileMenu.actions().value(0);
    fileMenu.insertActions(first, {mnuNewCase, mnuOpenCase});
    fileMenu.insertMenu(first, mnuRecentCases);
    fileMenu.insertActions(first, {mnuSaveCase, mnuSaveCaseAs, mnuCaseNote});
    fileMenu.insertSeparator(first);

    connect(mnuNewCase, &QAction::triggered, this, &CaseMenu::newCaseRequested);
    connect(mnuOpenCase, &QAction::triggered, this, &CaseMenu::openCaseRequested);
    connect(mnuSaveCase, &QAction::triggered, this, &CaseMenu::saveCaseRequested);
    connect(mnuSaveCaseAs, &QAction::triggered, this, &CaseMenu::saveCaseAsRequested);
    connect(mnuCaseNote, &QAction::triggered, this, &CaseMenu::caseNoteRequested);
    setRecent({});
}

void CaseMenu::formatCaptions()
{
    mnuNewCase->setText(lookUp(captions_, "mnuNewCase"));
    mnuOpenCase->setText(lookUp(captions_, "mnuOpenCase"));
    mnuRecentCases->setTitle(lookUp(captions_, "mnuRecentCases"));
    mnuSaveCase->setText(lookUp(captions_, "mnuSaveCase"));
    mnuSaveCaseAs->setText(lookUp(captions_, "mnuSaveCaseAs"));
    mnuCaseNote->setText(lookUp(captions_, "mnuCaseNote"));
}

void CaseMenu::setRecent(const std::vector<QString>& paths)
{
    // Rebuilt each time: an entry without a path would have no mnemonic. The
    // old entries go later, as the one chosen is still at work.
    for (QAction* old : mnuRecentCases->actions()) {
        mnuRecentCases->removeAction(old);
        old->deleteLater();
    }
    const int count = int(std::min<std::size_t>(paths.size(), kMostRecent));
    for (int k = 0; k < count; ++k) {
        const QString path = paths[std::size_t(k)];
        QAction* entry = MakeAction(QStringLiteral("mnuRecentCase%1").arg(k), mnuRecentCases);
        // Numbered from 1 as mnemonics; an "&" of a path is text.
        entry->setText(QStringLiteral("&%1 %2").arg(k + 1).arg(
            QDir::toNativeSeparators(path).replace(u'&', QStringLiteral("&&"))));
        mnuRecentCases->addAction(entry);
        connect(entry, &QAction::triggered, this, [this, path] { emit recentCaseRequested(path); });
    }
    mnuRecentCases->setEnabled(count > 0);
}

std::optional<QString> EditCaseNote(const CaptionSource& captions, const QString& note, QWidget* parent)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("frmCaseNote"));
    dialog.setWindowTitle(lookUp(captions, "CaseNoteTitle"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* text = new QPlainTextEdit(note, &dialog);
    text->setObjectName(QStringLiteral("txtCaseNote"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    dialog.resize(480, 300);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return text->toPlainText();
}

} // namespace gw
