#pragma once

#include "app/AppFolder.h"
#include "app/EntryStore.h"
#include "privacy/PasswordPreferences.h"

#include <QDate>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QPrinter;

namespace dayvell {

namespace editor {
class FormatToolBar;
class RichTextEditor;
} // namespace editor

class BevelPanel;
class MenuLock;
class PasswordProtection;
class PictureButton;
class PrivacyPanel;
class TLineShape;
class TRingPanel;
class TextButton;

// The main window: a ring-binder page showing the entry of one date, with the
// formatting toolbar above it, the button bar below and the menus. It owns the
// current date, the diary password and the diary table for the whole run.
// When a password is stored the page starts covered by the password panel.
class TMainScreen : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int DesignWidth = 610;
    static constexpr int DesignHeight = 450;

    // `programFolder` holds DV.INI with the stored password.
    explicit TMainScreen(std::unique_ptr<EntryStore> store, const QString& programFolder = AppFolder(),
                         QWidget* parent = nullptr);
    ~TMainScreen() override;

    QDate DiaryDate;
    bool EntryFound = false;
    // In plain text; empty when the diary has none.
    QString DiaryPassword;

    // Components, named as the rest of the program refers to them.
    BevelPanel* ToolbarPanel = nullptr;
    editor::FormatToolBar* WPToolBar2 = nullptr;
    TRingPanel* RingPanel1 = nullptr;
    QLabel* DateLabel = nullptr;
    TLineShape* TopLine = nullptr;
    TLineShape* BottomLine = nullptr;
    editor::RichTextEditor* WPRichText1 = nullptr;
    editor::RichTextEditor* WPRichTextAllPurpose = nullptr;
    dayvell::PrivacyPanel* PrivacyPanel = nullptr;
    BevelPanel* ActionPanel = nullptr;
    TextButton* SaveButton = nullptr;
    TextButton* CancelButton = nullptr;
    PictureButton* ShapeButPop2 = nullptr;
    PictureButton* PriorButton = nullptr;
    PictureButton* PSpeedButton1 = nullptr;
    PictureButton* NextButton = nullptr;
    PictureButton* ShapeButPop1 = nullptr;
    TextButton* HideButton = nullptr;
    TextButton* TransTextButton1 = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuSecurity = nullptr;
    QAction* RebuildIndexes1 = nullptr;
    QAction* PrintSetup1 = nullptr;
    QMenu* Print1 = nullptr;
    QAction* PrintcurrentEntryOnly = nullptr;
    QAction* PrintCurrentEntryForwardMerged = nullptr;
    QAction* PrintCurrentEntryForwardSeperatePages = nullptr;
    QAction* exit1 = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuFind = nullptr;
    QAction* Replace1 = nullptr;
    QAction* SpellCheck1 = nullptr;
    QAction* EnterDate1 = nullptr;
    QAction* mnuWrapTexttofitScreen = nullptr;
    QMenu* mnuUtilities = nullptr;
    QAction* mnuFindentrycontaining = nullptr;
    QAction* mnuFindNextBig = nullptr;
    QMenu* Help1 = nullptr;
    QAction* Contents1 = nullptr;
    QAction* About1 = nullptr;

    // The printer chosen with Print Setup; it stays for the whole run.
    QPrinter& Printer();
    // The table behind the page; null when it could not be opened.
    EntryStore* Store() const { return tableOpen_ ? store_.get() : nullptr; }
    QString HelpFilePath() const { return helpFile_; }

    // Entry storage and navigation.
    void SetDateCaption();
    void FindDateRecord();
    void LoadRichText();
    void SaveRichText();

    void SaveButtonClick();
    void CancelButtonClick();
    void NextButtonClick();
    void PriorButtonClick();
    void ShapeButPop1Click();
    void ShapeButPop2Click();
    void WPRichText1Change();
    void WPRichText1KeyDown(QKeyEvent* event);

    // Password.
    // Covers the page with the password panel and makes the bars and the
    // File, Edit and Utilities menus unreachable, or gives them back.
    void HideAllThings(bool hide);
    // Whether the page is covered by the password panel.
    bool DiaryHidden() const;
    void HideButtonClick();
    void mnuSecurityClick();

    // Window.
    void FormResize();
    void FormActivate();
    void mnuWrapTexttofitScreenClick();
    void PrintSetup1Click();
    void Contents1Click();
    void About1Click();
    void exit1Click();
    void TransTextButton1Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildPage();
    void buildButtonBar();
    void buildMenus();
    void buildPrivacyPanel();
    void FormCreate();
    void FormKeyDown(QKeyEvent* event);
    void showChangedButtons(bool shown);
    void markEntryUnread();
    void moveTo(const QDate& date);
    void stepTo(const QDate& date);
    void loadStoredPassword();
    bool opensDiary(const QString& typed) const;
    void uncoverDiary(const QString& password);
    void finishInterruptedEncryption(PasswordProtection& protection);
    // Null when the table is not open or cannot be kept under a password.
    PasswordProtection* tableProtection() const;
    PasswordProtection& openProtection();
    EntryStore& openStore();
    // A slot that runs the handler and shows the text of any error it raises.
    std::function<void()> reporting(void (TMainScreen::*handler)());
    QString openFailureText() const;

    std::unique_ptr<EntryStore> store_;
    PasswordPreferences preferences_;
    std::unique_ptr<MenuLock> menuLock_;
    Qt::FocusPolicy editorFocusPolicy_ = Qt::StrongFocus;
    bool tableOpen_ = false;
    // The entry of DiaryDate could not be looked up or read: the page shows
    // none of it and must never be stored over it.
    bool entryUnread_ = false;
    std::unique_ptr<QPrinter> printer_;
    const QKeyEvent* previewedKey_ = nullptr;
    QPointer<QWidget> previewedKeyReceiver_;
    QString helpFile_;
};

} // namespace dayvell
