// What a newcomer meets in each language on the shipped data: Qt's own texts
// (the standard buttons, the unsaved-changes box, the file dialog, a text
// field's context menu) follow the caption language at start-up and on
// every switch; a failed analysis is said in the captions; a copy without a
// sponsor names the warning level, never a sponsor.
#include "window_test.h"

namespace gw::test {
namespace {

// A text as shown: no "&" mnemonic, no shortcut after a tab.
QString plain(QString text)
{
    text.remove(u'&');
    return text.section(u'\t', 0, 0).trimmed();
}

// The texts of the labels and buttons `window` shows.
QStringList labelsAndButtons(QWidget& window)
{
    QStringList texts;
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->isVisibleTo(&window) && !label->text().isEmpty())
            texts << plain(label->text());
    }
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->isVisibleTo(&window) && !button->text().isEmpty())
            texts << plain(button->text());
    }
    return texts;
}

// Runs `open`, which shows a modal window and waits for it; hands the window
// to `look` once it shows, then closes it.
void inspectModal(const std::function<void()>& open, const std::function<void(QWidget&)>& look)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = nullptr;
        if (!QTest::qWaitFor([&] { return (modal = QApplication::activeModalWidget()) != nullptr; }))
            return;
        seen = true;
        look(*modal);
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            box->buttons().back()->click();
        else if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
    });
    open();
    EXPECT_TRUE(seen) << "no modal window showed";
}

struct QtWords {
    QStringList question, unsaved, information, fileDialog, contextMenu;
};

// Qt's texts as the program shows them now: its message boxes, its file
// dialog and the context menu of an input field.
QtWords qtWordsNow(MainWindow& window)
{
    QtWords words;
    QtMessageService boxes(&window);
    inspectModal([&] { boxes.askYesNo("?", "?"); }, [&](QWidget& box) { words.question = labelsAndButtons(box); });
    inspectModal([&] { boxes.askSaveDiscardCancel("?", "?"); }, [&](QWidget& box) { words.unsaved = labelsAndButtons(box); });
    inspectModal([&] { boxes.information("i", "i"); }, [&](QWidget& box) { words.information = labelsAndButtons(box); });
    QtSaveFileService files(&window);
    inspectModal([&] { files.askSaveFileName("PDF", QDir::temp().filePath("report.pdf"), "PDF (*.pdf)"); },
                 [&](QWidget& dialog) { words.fileDialog = labelsAndButtons(dialog); });
    // The type column's word for a folder.
    words.fileDialog << QCoreApplication::translate("QAbstractFileIconProvider", "Folder", "All other platforms");
    const std::unique_ptr<QMenu> menu(window.inputs().txtTaxRate->createStandardContextMenu());
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator())
            words.contextMenu << plain(action->text());
    }
    return words;
}

void expectWords(const QStringList& shown, const QStringList& present, const QStringList& absent, const char* where)
{
    for (const QString& word : present)
        EXPECT_TRUE(shown.contains(word)) << where << " lacks \"" << word.toStdString() << "\": "
                                          << shown.join(" | ").toStdString();
    for (const QString& word : absent)
        EXPECT_FALSE(shown.contains(word)) << where << " shows \"" << word.toStdString() << "\": "
                                           << shown.join(" | ").toStdString();
}

const QStringList kEnglishBox{"Yes", "No"};
const QStringList kFrenchBox{"Oui", "Non"};
const QStringList kEnglishUnsavedBox{"Save", "Discard", "Cancel"};
const QStringList kFrenchUnsavedBox{"Enregistrer", "Ne pas tenir compte", "Annuler"};  // Qt's own translation
const QStringList kEnglishFileDialog{"Look in:", "File name:", "Files of type:", "Save", "Cancel", "Folder"};
const QStringList kFrenchFileDialog{"Voir dans :", "Nom de fichier :", "Fichiers de type :", "Enregistrer", "Annuler",
                                    "Dossier"};
const QStringList kEnglishMenu{"Undo", "Redo", "Cut", "Copy", "Paste", "Delete", "Select All"};
const QStringList kFrenchMenu{"Annuler", "Copier", "Coller", "Tout s\u00e9lectionner"};

void expectQtWords(MainWindow& window, Language language)
{
    const bool french = language == French;
    const QtWords words = qtWordsNow(window);
    expectWords(words.question, french ? kFrenchBox : kEnglishBox, french ? kEnglishBox : kFrenchBox, "Yes/No box");
    expectWords(words.unsaved, french ? kFrenchUnsavedBox : kEnglishUnsavedBox,
                french ? kEnglishUnsavedBox : kFrenchUnsavedBox, "Save/Discard/Cancel box");
    expectWords(words.information, {"OK"}, {}, "OK box");
    expectWords(words.fileDialog, french ? kFrenchFileDialog : kEnglishFileDialog,
                french ? kEnglishFileDialog : kFrenchFileDialog, "file dialog");
    expectWords(words.contextMenu, french ? kFrenchMenu : kEnglishMenu, french ? kEnglishMenu : kFrenchMenu,
                "context menu");
}

// Missing, the translation file fails this test rather than skipping it:
// the build machines must carry it.
TEST(QtTexts, followTheCaptionLanguageAtStartUpAndOnEverySwitch)
{
    ASSERT_FALSE(QtTexts::translationFile(French).isEmpty())
        << "qtbase_fr.qm is in none of " << QtTexts::searchFolders().join(", ").toStdString()
        << ": install the Debian package qt6-translations-l10n";
    {
        // The start window speaks the language of the previous run.
        ProgramOnData previousFrench(ConfigEdits{{"PrevLanguage", "1"}});
        ASSERT_TRUE(previousFrench.restart().start());
        QtMessageService boxes(previousFrench.program->startWindow());
        QStringList words;
        inspectModal([&] { boxes.askYesNo("?", "?"); }, [&](QWidget& box) { words = labelsAndButtons(box); });
        expectWords(words, kFrenchBox, kEnglishBox, "start window's Yes/No box");
    }
    ProgramOnData data;
    {
        SCOPED_TRACE("started in French");
        expectQtWords(data.start(French), French);
    }
    {
        SCOPED_TRACE("switched to English");
        data.program->applyLanguage(English);
        expectQtWords(*data.program->mainWindow(), English);
    }
    {
        SCOPED_TRACE("switched back to French");
        data.program->applyLanguage(French);
        expectQtWords(*data.program->mainWindow(), French);
    }
    {
        SCOPED_TRACE("a new run started in English");
        expectQtWords(data.start(English), English);
    }
}

// A loan amount no figure can hold, put in behind the field's checks (which
// keep amounts far lower): the message comes from the captions of the
// language and names the strategy; the figures go to standard error.
TEST(Language, aFailedAnalysisIsSaidInTheCaptionsAndItsDetailsGoToStandardError)
{
    for (Language language : {English, French}) {
        SCOPED_TRACE(language == French ? "French" : "English");
        ProgramOnData data;
        MainWindow& window = data.start(language);
        ASSERT_EQ(data.messages.count("critical"), 0);
        testing::internal::CaptureStderr();
        window.inputs().txtLoanAmount->setText(QStringLiteral("1e308"));
        window.updateAnalysis();
        const std::string detail = testing::internal::GetCapturedStderr();

        const CaptionSource& captions = data.program->captions();
        const QString strategy = lookUp(captions, captionKey("lstStrategyList.listindex", Index(window.strategy())));
        ASSERT_EQ(data.messages.count("critical"), 1) << data.messages.take();
        const auto& message = data.messages.messages.back();
        EXPECT_EQ(message.title, lookUp(captions, "SoftwareName"));
        EXPECT_EQ(message.text, lookUp(captions, "errorAnalysisFailed", {strategy.toStdString()}));
        EXPECT_NE(detail.find("failed: "), std::string::npos) << detail;
    }
}

// A strategy list without a current row says so in the captions and falls
// back to the strategy shown.
TEST_F(WindowTest, aStrategyNotOfferedIsSaidInTheCaptions)
{
    captions.set("ErrorTitle", "Error");
    captions.set("errorAnalysisNotAdded", "Analysis <1> has not yet been added");
    open();
    window->lstStrategyList->setCurrentRow(-1);
    EXPECT_EQ(messages.take(), "Error: Analysis -1 has not yet been added");
    EXPECT_EQ(window->lstStrategyList->currentRow(), Index(window->strategy()));
}

// The shipped copy has no sponsor: the hint and the questions at the warning
// levels name the level, in the language's number format (a level of 3.5
// reads "3,5 %" in French). A sponsored copy names its sponsor.
TEST(Language, warningLevelsNameTheLevelWithoutASponsorAndTheSponsorWithOne)
{
    const QRegularExpression sponsorWords(QStringLiteral("sponsor|commanditaire|\\(none\\)|\\bnone\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
    const std::pair<const char*, ConfigEdits> copies[] = {
        {"not sponsored", {{"Interest Rate at which Warning Issued", "3.5"}}},
        {"sponsored", {{"SponsorName", "QZX Wealth Partners"}, {"AppTitle", "Presented by"}}}};
    for (const auto& [copy, edits] : copies) {
        const bool sponsored = !edits.count("Interest Rate at which Warning Issued");
        for (Language language : {English, French}) {
            SCOPED_TRACE(std::string(copy) + (language == French ? ", French" : ", English"));
            ProgramOnData data(edits);
            MainWindow& window = data.start(language);
            const bool french = language == French;
            const QString returnLevel = french ? "12\u00a0%" : "12%";
            const QString rateLevel = french ? "3,5\u00a0%" : "3.5%";
            // Each warning once: the status hint, then the question.
            const struct {
                QLineEdit* box;
                QString typed, level;
            } warnings[] = {{window.inputs().txtReturn[0], "12", returnLevel},
                            {window.inputs().txtIntRate, "3", rateLevel}};
            for (const auto& w : warnings) {
                data.messages.messages.clear();
                data.messages.answers = {true};
                enter(w.box, w.typed);
                ASSERT_EQ(data.messages.count("question"), 1) << data.messages.take();
                const QString question = data.messages.messages.back().text;
                const QString status = window.statusText();
                if (sponsored) {
                    EXPECT_TRUE(status.contains("QZX Wealth Partners")) << status.toStdString();
                    EXPECT_TRUE(question.contains(sponsorWords)) << question.toStdString();
                } else {
                    for (const QString& text : {status, question}) {
                        EXPECT_FALSE(text.contains(sponsorWords)) << text.toStdString();
                        EXPECT_TRUE(text.contains(w.level)) << text.toStdString();
                    }
                }
            }
            // The hint follows a language switch, level and all.
            if (!sponsored) {
                data.program->applyLanguage(french ? English : French);
                EXPECT_TRUE(window.statusText().contains(french ? "3.5%" : "3,5\u00a0%"))
                    << window.statusText().toStdString();
            }
        }
    }
}

} // namespace
} // namespace gw::test
