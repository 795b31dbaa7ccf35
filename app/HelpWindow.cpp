#include "app/HelpWindow.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPointer>
#include <QTextBrowser>

#include <stdexcept>

namespace dayvell {

HelpWindow::HelpWindow(HelpFile help, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , help_(std::move(help))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Dayvell Help"));
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(760, 500);

    titles_ = new QListWidget(this);
    titles_->setObjectName(QStringLiteral("HelpTopics"));
    for (const HelpTopic& topic : help_.topics()) {
        auto* item = new QListWidgetItem(topic.title, titles_);
        item->setData(Qt::UserRole, topic.context);
    }
    titles_->setMaximumWidth(250);

    text_ = new QTextBrowser(this);
    text_->setObjectName(QStringLiteral("HelpText"));
    text_->setOpenLinks(false);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(titles_);
    layout->addWidget(text_, 1);

    connect(titles_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item && item->data(Qt::UserRole).toInt() != current_)
            showTopic(item->data(Qt::UserRole).toInt());
    });
    connect(text_, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
}

void HelpWindow::showTopic(int context)
{
    const HelpTopic* topic = help_.find(context);
    if (!topic)
        throw std::runtime_error(QStringLiteral("The help file %1 has no topic %2")
                                     .arg(help_.path()).arg(context).toStdString());
    current_ = context;
    text_->setHtml(topic->html);
    for (int row = 0; row < titles_->count(); ++row)
        if (titles_->item(row)->data(Qt::UserRole).toInt() == context)
            titles_->setCurrentRow(row);
}

QString HelpWindow::currentText() const
{
    return text_->toPlainText();
}

void HelpWindow::followLink(const QUrl& link)
{
    if (link.scheme() != QLatin1String("topic"))
        return;
    bool isNumber = false;
    const int context = link.path().toInt(&isNumber);
    if (isNumber && help_.find(context))
        showTopic(context);
}

HelpWindow* ShowHelpTopic(const QString& helpFile, int context)
{
    static QPointer<HelpWindow> window;
    HelpFile help = HelpFile::load(helpFile);
    if (!help.find(context))
        throw std::runtime_error(QStringLiteral("The help file %1 has no topic %2")
                                     .arg(helpFile).arg(context).toStdString());
    QRect place;
    if (window) {
        place = window->geometry();
        delete window;
    }
    window = new HelpWindow(std::move(help));
    if (place.isValid())
        window->setGeometry(place);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showTopic(context);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace dayvell
