#include "app/MessageBoxes.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>

namespace dayvell {
namespace {

MessageResponder& currentResponder()
{
    static MessageResponder responder;
    return responder;
}

// A box whose only ways out are its buttons. Qt would otherwise let Escape
// and the close box answer a Yes/No question with No.
class ButtonsOnlyMessageBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

QMessageBox::Icon iconOf(int styleFlags)
{
    if (styleFlags & MessageIconInformation)
        return QMessageBox::Information;
    if (styleFlags & MessageIconError)
        return QMessageBox::Critical;
    if (styleFlags & MessageIconQuestion)
        return QMessageBox::Question;
    return QMessageBox::NoIcon;
}

int showRealBox(const QString& text, const QString& caption, int styleFlags)
{
    const bool yesNo = (styleFlags & 0x0F) == MessageButtonsYesNo;
    QPointer<QWidget> previouslyActive = QApplication::activeWindow();

    std::unique_ptr<QMessageBox> box;
    if (yesNo)
        box = std::make_unique<ButtonsOnlyMessageBox>(iconOf(styleFlags), caption, text,
                                                      QMessageBox::Yes | QMessageBox::No,
                                                      previouslyActive);
    else
        box = std::make_unique<QMessageBox>(iconOf(styleFlags), caption, text, QMessageBox::Ok,
                                            previouslyActive);
    box->setWindowModality(Qt::ApplicationModal);
    box->setTextFormat(Qt::PlainText);

    const int pressed = box->exec();
    box.reset();
    if (previouslyActive)
        previouslyActive->activateWindow();

    switch (pressed) {
    case QMessageBox::Yes: return MessageResultYes;
    case QMessageBox::No: return MessageResultNo;
    default: return MessageResultOk;
    }
}

} // namespace

int ShowMessageBox(const QString& text, const QString& caption, int styleFlags)
{
    if (currentResponder())
        return currentResponder()(text, caption, styleFlags);
    return showRealBox(text, caption, styleFlags);
}

bool AskConfirm(const QString& text)
{
    return ShowMessageBox(text, QString::fromLatin1(ConfirmCaption),
                          MessageButtonsYesNo + MessageIconQuestion)
        == MessageResultYes;
}

void ShowInformation(const QString& text)
{
    ShowMessageBox(text, QString::fromLatin1(InformationCaption),
                   MessageButtonsOk + MessageIconInformation);
}

ScopedMessageResponder::ScopedMessageResponder(MessageResponder responder)
    : previous_(std::move(currentResponder()))
{
    currentResponder() = std::move(responder);
}

ScopedMessageResponder::~ScopedMessageResponder()
{
    currentResponder() = std::move(previous_);
}

} // namespace dayvell
