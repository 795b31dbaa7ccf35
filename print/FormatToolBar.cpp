#include "print/FormatToolBar.h"

#include "print/RichTextEditor.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QTextCharFormat>
#include <QToolButton>

namespace dayvell::editor {

namespace {

constexpr int kButtonSize = 22;
constexpr int kControlHeight = 22;

struct NamedColour {
    const char* name;
    QRgb rgb;
};

// The sixteen colours every Windows-era palette offers.
constexpr NamedColour kColours[] = {
    {"Black", 0x000000}, {"Maroon", 0x800000}, {"Green", 0x008000},  {"Olive", 0x808000},
    {"Navy", 0x000080},  {"Purple", 0x800080}, {"Teal", 0x008080},   {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0xFF0000},   {"Lime", 0x00FF00},   {"Yellow", 0xFFFF00},
    {"Blue", 0x0000FF},  {"Fuchsia", 0xFF00FF}, {"Aqua", 0x00FFFF},  {"White", 0xFFFFFF},
};

// Entries written on other computers mostly use these; where they are missing, metric-compatible
// substitutes stand in for them.
const char* const kCommonFonts[] = {"Arial", "Times New Roman", "Courier New"};

const int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

int indexOf(ToolBarIcon which)
{
    return int(which);
}

}  // namespace

FormatToolBar::FormatToolBar(RichTextEditor& editor, QWidget* parent) : QWidget(parent), m_editor(editor)
{
    QFont small(QStringLiteral("Arial"));
    small.setPointSize(8);
    setFont(small);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 2, 0, 2);
    row->setSpacing(1);

    m_fontNames = new QComboBox(this);
    m_fontNames->setObjectName(QStringLiteral("fontNames"));
    m_fontNames->setToolTip(tr("Font"));
    m_fontNames->setFixedSize(118, kControlHeight);
    m_fontNames->setMaxVisibleItems(20);
    fillFontNames();
    connect(m_fontNames, &QComboBox::textActivated, this, [this](const QString& family) {
        QTextCharFormat format;
        format.setFontFamilies(QStringList{family});
        apply(format);
    });
    row->addWidget(m_fontNames);

    m_sizes = new QComboBox(this);
    m_sizes->setObjectName(QStringLiteral("sizes"));
    m_sizes->setToolTip(tr("Size"));
    m_sizes->setEditable(true);
    m_sizes->setInsertPolicy(QComboBox::NoInsert);
    m_sizes->setFixedSize(42, kControlHeight);
    m_sizes->lineEdit()->setValidator(new QIntValidator(1, kMaximumPointSize, m_sizes));
    for (const int size : kSizes)
        m_sizes->addItem(QString::number(size));
    connect(m_sizes, &QComboBox::textActivated, this, &FormatToolBar::applySize);
    // Enter in the box may be reported more than once; only a size the user typed is applied.
    connect(m_sizes->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        if (m_sizes->lineEdit()->isModified())
            applySize(m_sizes->lineEdit()->text());
    });
    row->addWidget(m_sizes);

    m_colours = new QComboBox(this);
    m_colours->setObjectName(QStringLiteral("colours"));
    m_colours->setToolTip(tr("Colour"));
    m_colours->setFixedSize(38, kControlHeight);
    fillColours();
    connect(m_colours, &QComboBox::activated, this, [this](int index) {
        QTextCharFormat format;
        format.setForeground(m_colours->itemData(index).value<QColor>());
        apply(format);
    });
    row->addWidget(m_colours);
    row->addSpacing(4);

    addButton(ToolBarIcon::Normal, tr("Normal"), false);
    addButton(ToolBarIcon::Bold, tr("Bold"), true);
    addButton(ToolBarIcon::Italic, tr("Italic"), true);
    addButton(ToolBarIcon::Under, tr("Under"), true);
    row->addSpacing(4);
    addButton(ToolBarIcon::Left, tr("Left"), true);
    addButton(ToolBarIcon::Right, tr("Right"), true);
    addButton(ToolBarIcon::Center, tr("Center"), true);
    row->addSpacing(4);
    addButton(ToolBarIcon::Copy, tr("Copy"), false);
    addButton(ToolBarIcon::Cut, tr("Cut"), false);
    addButton(ToolBarIcon::Paste, tr("Paste"), false);
    row->addStretch();

    connect(button(ToolBarIcon::Normal), &QToolButton::clicked, this, &FormatToolBar::applyNormal);
    connect(button(ToolBarIcon::Bold), &QToolButton::clicked, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        apply(format);
    });
    connect(button(ToolBarIcon::Italic), &QToolButton::clicked, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontItalic(on);
        apply(format);
    });
    connect(button(ToolBarIcon::Under), &QToolButton::clicked, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontUnderline(on);
        apply(format);
    });
    const std::pair<ToolBarIcon, Qt::Alignment> alignments[] = {
        {ToolBarIcon::Left, Qt::AlignLeft}, {ToolBarIcon::Right, Qt::AlignRight}, {ToolBarIcon::Center, Qt::AlignHCenter}};
    for (const auto& [which, alignment] : alignments)
        connect(button(which), &QToolButton::clicked, this, [this, alignment = alignment] {
            m_editor.applyAlignment(alignment);
            showCaretFormat();
            m_editor.setFocus();
        });
    connect(button(ToolBarIcon::Copy), &QToolButton::clicked, &m_editor, &QTextEdit::copy);
    connect(button(ToolBarIcon::Cut), &QToolButton::clicked, &m_editor, &QTextEdit::cut);
    connect(button(ToolBarIcon::Paste), &QToolButton::clicked, &m_editor, &QTextEdit::paste);

    connect(&m_editor, &QTextEdit::cursorPositionChanged, this, &FormatToolBar::showCaretFormat);
    connect(&m_editor, &QTextEdit::currentCharFormatChanged, this, &FormatToolBar::showCaretFormat);
    showCaretFormat();
}

QToolButton* FormatToolBar::addButton(ToolBarIcon which, const QString& hint, bool checkable)
{
    auto* button = new QToolButton(this);
    button->setObjectName(hint.toLower());
    button->setIcon(toolBarIcon(which));
    button->setIconSize(QSize(16, 16));
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setAutoRaise(true);
    button->setCheckable(checkable);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(kButtonSize, kButtonSize);
    layout()->addWidget(button);
    m_buttons[indexOf(which)] = button;
    return button;
}

QToolButton* FormatToolBar::button(ToolBarIcon which) const
{
    return m_buttons[indexOf(which)];
}

void FormatToolBar::fillFontNames()
{
    QStringList families = QFontDatabase::families();
    QStringList wanted = m_editor.fontTable().names();
    for (const char* common : kCommonFonts)
        wanted.append(QString::fromLatin1(common));
    for (const QString& name : wanted)
        if (!families.contains(name, Qt::CaseInsensitive))
            families.append(name);
    families.sort(Qt::CaseInsensitive);
    m_fontNames->addItems(families);
}

void FormatToolBar::selectFontName(const QString& family)
{
    // An entry may name a font this computer lacks (it is shown in a substitute): list it all the same.
    int index = m_fontNames->findText(family, Qt::MatchFixedString);
    if (index < 0) {
        index = 0;
        while (index < m_fontNames->count() &&
               m_fontNames->itemText(index).compare(family, Qt::CaseInsensitive) < 0)
            ++index;
        m_fontNames->insertItem(index, family);
    }
    m_fontNames->setCurrentIndex(index);
}

void FormatToolBar::fillColours()
{
    for (const auto& colour : kColours) {
        const QString name = tr(colour.name);
        m_colours->addItem(colourSwatch(QColor(colour.rgb)), QString(), QColor(colour.rgb));
        m_colours->setItemData(m_colours->count() - 1, name, Qt::ToolTipRole);
        m_colours->setItemData(m_colours->count() - 1, name, Qt::AccessibleTextRole);
    }
}

void FormatToolBar::selectColour(const QColor& colour)
{
    // A colour outside the list (from a loaded entry) gets one extra entry at the end.
    const int standard = int(std::size(kColours));
    int index = m_colours->findData(colour);
    if (index < 0 || index >= standard) {
        while (m_colours->count() > standard)
            m_colours->removeItem(standard);
        if (index < 0 || index >= standard) {
            m_colours->addItem(colourSwatch(colour), QString(), colour);
            m_colours->setItemData(standard, colour.name(), Qt::ToolTipRole);
            index = standard;
        }
    }
    m_colours->setCurrentIndex(index);
}

void FormatToolBar::showCaretFormat()
{
    const QTextCharFormat format = m_editor.currentCharFormat();
    const QFont defaults = m_editor.document()->defaultFont();

    const QStringList families = format.fontFamilies().toStringList();
    const QString family = families.isEmpty() ? defaults.family() : families.front();
    const QSignalBlocker fontsQuiet(m_fontNames);
    selectFontName(family);

    const double size = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize()
                                                                        : defaults.pointSizeF();
    const QSignalBlocker sizesQuiet(m_sizes);
    const QString sizeText = QString::number(size);
    // The index too, so that the list does not apply a typed size a second time when editing ends.
    m_sizes->setCurrentIndex(m_sizes->findText(sizeText));
    m_sizes->setEditText(sizeText);

    const QSignalBlocker coloursQuiet(m_colours);
    selectColour(format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color()
                                                                  : m_editor.palette().color(QPalette::Text));

    button(ToolBarIcon::Bold)->setChecked(format.fontWeight() >= QFont::Bold);
    button(ToolBarIcon::Italic)->setChecked(format.fontItalic());
    button(ToolBarIcon::Under)->setChecked(format.fontUnderline());

    const Qt::Alignment alignment = m_editor.alignment();
    button(ToolBarIcon::Left)->setChecked((alignment & (Qt::AlignLeft | Qt::AlignLeading)) != 0);
    button(ToolBarIcon::Right)->setChecked((alignment & (Qt::AlignRight | Qt::AlignTrailing)) != 0);
    button(ToolBarIcon::Center)->setChecked((alignment & Qt::AlignHCenter) != 0);

    const bool writable = !m_editor.isReadOnly();
    const bool selected = m_editor.textCursor().hasSelection();
    button(ToolBarIcon::Copy)->setEnabled(selected);
    button(ToolBarIcon::Cut)->setEnabled(selected && writable);
    button(ToolBarIcon::Paste)->setEnabled(writable);
}

void FormatToolBar::apply(const QTextCharFormat& format)
{
    m_editor.applyCharFormat(format);
    showCaretFormat();
    m_editor.setFocus();
}

void FormatToolBar::applySize(const QString& text)
{
    bool ok = false;
    const int size = text.toInt(&ok);
    if (!ok || size < kMinimumPointSize || size > kMaximumPointSize) {
        showCaretFormat();  // puts back the size at the caret
        return;
    }
    QTextCharFormat format;
    format.setFontPointSize(size);
    apply(format);
}

void FormatToolBar::applyNormal()
{
    QTextCharFormat format;
    format.setFontWeight(QFont::Normal);
    format.setFontItalic(false);
    format.setFontUnderline(false);
    format.setFontStrikeOut(false);
    apply(format);
}

}  // namespace dayvell::editor
