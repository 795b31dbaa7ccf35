#include "print/rtf/RtfInterpreter.h"

#include "print/rtf/RtfFieldInstruction.h"
#include "print/rtf/RtfTextCleanup.h"

namespace dayvell::rtf {

namespace {

constexpr int maxLengthTwips = 31680;   // 22 inches, the widest page word processors allow
constexpr int maxTabStops = 64;
constexpr int maxFontNameLength = 256;
constexpr int maxUnicodeSkip = 16;
constexpr char16_t lineSeparator = 0x2028;
constexpr int unparsedField = -2;

int lengthParameter(int parameter)
{
    return qBound(-maxLengthTwips, parameter, maxLengthTwips);
}

int spacingParameter(int parameter)
{
    return qBound(0, parameter, maxLengthTwips);
}

bool switchParameter(bool hasParameter, int parameter)
{
    return !hasParameter || parameter != 0;
}

// Words that change where a group's text goes.
bool isDestinationKeyword(RtfKeyword keyword)
{
    switch (keyword) {
    case RtfKeyword::SkippedDestination:
    case RtfKeyword::FontTable:
    case RtfKeyword::ColourTable:
    case RtfKeyword::Picture:
    case RtfKeyword::FieldInstruction:
    case RtfKeyword::UnicodePair:
        return true;
    default:
        return false;
    }
}

bool readableAfterIgnorableMark(RtfKeyword keyword)
{
    switch (keyword) {
    case RtfKeyword::FieldInstruction:
    case RtfKeyword::FieldResult:
    case RtfKeyword::ShapePicture:
    case RtfKeyword::UnicodeAlternative:
    case RtfKeyword::Picture:
    case RtfKeyword::ListText:
        return true;
    default:
        return false;
    }
}

}

RtfInterpreter::RtfInterpreter(RtfTables& tables, RtfSink& sink) : m_tables(tables), m_sink(sink)
{
    m_groups.reserve(64);
    m_groups.emplace_back();
}

void RtfInterpreter::run(QByteArrayView rtf)
{
    RtfTokenizer tokenizer(rtf);
    for (RtfToken token = tokenizer.next(); token.type != RtfTokenType::End && !m_finished;
         token = tokenizer.next()) {
        if (m_skippedDepth > 0)
            skipToken(token);
        else if (m_unicodeFallbackLeft == 0 || !consumeUnicodeFallback(token))
            dispatch(token);
    }
    if (!m_finished)
        finishDocument(state());
}

// A destination is named by the first control word of its group (after \* for the ignorable ones);
// the same words elsewhere are ignored, so that a stray one cannot swallow the rest of a document.
void RtfInterpreter::dispatch(const RtfToken& token)
{
    const bool ignorable = m_nextDestinationIgnorable;
    const bool groupJustOpened = m_groupJustOpened;
    m_nextDestinationIgnorable = false;
    m_groupJustOpened = token.type == RtfTokenType::GroupStart;
    switch (token.type) {
    case RtfTokenType::GroupStart:
        openGroup();
        break;
    case RtfTokenType::GroupEnd:
        closeGroup();
        break;
    case RtfTokenType::ControlWord: {
        const RtfKeyword keyword = lookUpKeyword(token.bytes);
        m_wordStartsGroup = groupJustOpened;
        if (ignorable && !readableAfterIgnorableMark(keyword))
            enterSkippedDestination();
        else
            controlWord(keyword, token.hasParameter, token.parameter);
        break;
    }
    case RtfTokenType::ControlSymbol:
        if (token.symbol == '*') {
            m_nextDestinationIgnorable = groupJustOpened;
            m_groupJustOpened = groupJustOpened;
        } else {
            controlSymbol(token.symbol);
        }
        break;
    case RtfTokenType::HexByte: {
        const char byte = static_cast<char>(token.symbol);
        textBytes(QByteArrayView(&byte, 1));
        break;
    }
    case RtfTokenType::Text:
        textBytes(token.bytes);
        break;
    case RtfTokenType::Binary:
        binaryData(token.bytes);
        break;
    case RtfTokenType::End:
        break;
    }
}

// After \uN the next \ucN characters are the fallback for readers without Unicode: a byte of text,
// an escape or a control word each count as one; a group boundary ends the fallback.
bool RtfInterpreter::consumeUnicodeFallback(const RtfToken& token)
{
    switch (token.type) {
    case RtfTokenType::GroupStart:
    case RtfTokenType::GroupEnd:
        m_unicodeFallbackLeft = 0;
        return false;
    case RtfTokenType::Text: {
        const qsizetype skipped = qMin<qsizetype>(m_unicodeFallbackLeft, token.bytes.size());
        m_unicodeFallbackLeft -= static_cast<int>(skipped);
        if (skipped < token.bytes.size()) {
            RtfToken rest = token;
            rest.bytes = token.bytes.sliced(skipped);
            dispatch(rest);
        }
        return true;
    }
    default:
        --m_unicodeFallbackLeft;
        return true;
    }
}

void RtfInterpreter::skipToken(const RtfToken& token)
{
    if (token.type == RtfTokenType::GroupStart) {
        ++m_skippedDepth;
    } else if (token.type == RtfTokenType::GroupEnd) {
        if (--m_skippedDepth == 0)
            closeGroup();
    }
}

void RtfInterpreter::enterSkippedDestination()
{
    m_skippedDepth = 1;
    m_unicodeFallbackLeft = 0;
}

void RtfInterpreter::openGroup()
{
    if (m_groups.size() >= maxGroupDepth) {
        ++m_untrackedDepth;
        return;
    }
    RtfGroupState inner = state();
    m_groups.push_back(std::move(inner));
}

void RtfInterpreter::closeGroup()
{
    if (m_untrackedDepth > 0) {
        --m_untrackedDepth;
        return;
    }
    if (m_groups.size() == 2) {
        finishDocument(state());
        return;
    }
    if (m_groups.size() == 1)
        return;
    const RtfGroupState closing = std::move(m_groups.back());
    m_groups.pop_back();
    if (closing.destination == RtfDestination::Picture && m_groups.size() + 1 == m_pictureDepth
        && state().destination != RtfDestination::Picture)
        emitPicture(closing);
    if (closing.destination == RtfDestination::FontTable && state().destination != RtfDestination::FontTable)
        m_fontBeingDeclared = -1;
}

void RtfInterpreter::finishDocument(const RtfGroupState& root)
{
    flushText();
    m_sink.documentEnd(root.character, root.paragraph);
    m_finished = true;
}

void RtfInterpreter::controlWord(RtfKeyword keyword, bool hasParameter, int parameter)
{
    RtfGroupState& current = state();
    if (current.destination == RtfDestination::UnicodePair) {
        if (keyword == RtfKeyword::UnicodeAlternative)
            current.destination = current.destinationAroundUnicodePair;
        return;
    }
    if (destinationWord(keyword) || documentWord(keyword, hasParameter, parameter))
        return;
    switch (current.destination) {
    case RtfDestination::Text:
        textWord(keyword, hasParameter, parameter);
        break;
    case RtfDestination::FontTable:
        fontTableWord(keyword, parameter);
        break;
    case RtfDestination::ColourTable:
        colourTableWord(keyword, parameter);
        break;
    case RtfDestination::Picture:
        pictureWord(keyword, parameter);
        break;
    default:
        break;
    }
}

bool RtfInterpreter::destinationWord(RtfKeyword keyword)
{
    if (!m_wordStartsGroup)
        return isDestinationKeyword(keyword);
    RtfGroupState& current = state();
    switch (keyword) {
    case RtfKeyword::SkippedDestination:
        enterSkippedDestination();
        return true;
    case RtfKeyword::FontTable:
        current.destination = RtfDestination::FontTable;
        m_fontBeingDeclared = -1;
        return true;
    case RtfKeyword::ColourTable:
        current.destination = RtfDestination::ColourTable;
        m_colourGiven = false;
        return true;
    case RtfKeyword::Picture:
        current.destination = RtfDestination::Picture;
        m_picture = RtfPicture();
        m_pictureDepth = m_groups.size();
        m_pendingNibble = -1;
        return true;
    case RtfKeyword::Field:
        current.field = static_cast<int>(m_fieldInstructions.size());
        m_fieldInstructions.append(QString());
        m_fieldLinks.append(unparsedField);
        return true;
    case RtfKeyword::FieldInstruction:
        if (current.field < 0)
            enterSkippedDestination();
        else
            current.destination = RtfDestination::FieldInstruction;
        return true;
    case RtfKeyword::FieldResult:
        current.destination = RtfDestination::Text;
        if (current.field >= 0) {
            const int link = linkOfField(current.field);
            if (link >= 0)
                current.character.link = link;
        }
        return true;
    case RtfKeyword::UnicodePair:
        current.destinationAroundUnicodePair = current.destination;
        current.destination = RtfDestination::UnicodePair;
        return true;
    case RtfKeyword::ListText:
    case RtfKeyword::ShapePicture:
    case RtfKeyword::UnicodeAlternative:
    case RtfKeyword::Rtf:
        return true;
    default:
        return false;
    }
}

bool RtfInterpreter::documentWord(RtfKeyword keyword, bool hasParameter, int parameter)
{
    switch (keyword) {
    case RtfKeyword::Ansi:
        m_tables.setCodePage(1252);
        return true;
    case RtfKeyword::Mac:
        m_tables.setCodePage(10000);
        return true;
    case RtfKeyword::Pc:
        m_tables.setCodePage(437);
        return true;
    case RtfKeyword::Pca:
        m_tables.setCodePage(850);
        return true;
    case RtfKeyword::AnsiCodePage:
        if (hasParameter && parameter > 0)
            m_tables.setCodePage(parameter);
        return true;
    case RtfKeyword::DefaultFont:
        m_tables.setDefaultFont(parameter);
        return true;
    case RtfKeyword::UnicodeSkip:
        state().unicodeSkip = qBound(0, parameter, maxUnicodeSkip);
        return true;
    case RtfKeyword::Unicode:
        // N is a signed 16-bit number; larger ones name no character but still have a fallback.
        if (parameter >= -32768 && parameter <= 65535)
            appendCharacter(static_cast<char16_t>(parameter < 0 ? parameter + 65536 : parameter));
        m_unicodeFallbackLeft = state().unicodeSkip;
        return true;
    default:
        return false;
    }
}

void RtfInterpreter::textWord(RtfKeyword keyword, bool hasParameter, int parameter)
{
    switch (keyword) {
    case RtfKeyword::Paragraph:
        endParagraph();
        break;
    case RtfKeyword::Line:
        appendCharacter(lineSeparator);
        break;
    case RtfKeyword::Tab:
        appendCharacter(u'\t');
        break;
    case RtfKeyword::Page:
        flushText();
        m_sink.pageBreak(state().character, state().paragraph);
        break;
    case RtfKeyword::Cell:
        if (!state().paragraph.inTable) {
            appendCharacter(u'\t');
            break;
        }
        flushText();
        m_sink.cellEnd(state().character, state().paragraph);
        break;
    case RtfKeyword::NestedCell:
        appendCharacter(u'\t');
        break;
    case RtfKeyword::NestedRow:
        endParagraph();
        break;
    case RtfKeyword::Row:
        if (!state().paragraph.inTable) {
            endParagraph();
            break;
        }
        flushText();
        m_sink.rowEnd();
        break;
    case RtfKeyword::RowDefaults:
        m_tables.clearRowDefinition();
        break;
    case RtfKeyword::CellBoundary:
        m_tables.addCellBoundary(lengthParameter(parameter));
        break;
    case RtfKeyword::EmDash: appendCharacter(0x2014); break;
    case RtfKeyword::EnDash: appendCharacter(0x2013); break;
    case RtfKeyword::EmSpace: appendCharacter(0x2003); break;
    case RtfKeyword::EnSpace: appendCharacter(0x2002); break;
    case RtfKeyword::QuarterEmSpace: appendCharacter(0x2005); break;
    case RtfKeyword::Bullet: appendCharacter(0x2022); break;
    case RtfKeyword::LeftQuote: appendCharacter(0x2018); break;
    case RtfKeyword::RightQuote: appendCharacter(0x2019); break;
    case RtfKeyword::LeftDoubleQuote: appendCharacter(0x201C); break;
    case RtfKeyword::RightDoubleQuote: appendCharacter(0x201D); break;
    case RtfKeyword::ZeroWidthJoiner: appendCharacter(0x200D); break;
    case RtfKeyword::ZeroWidthNonJoiner: appendCharacter(0x200C); break;
    case RtfKeyword::LeftToRightMark: appendCharacter(0x200E); break;
    case RtfKeyword::RightToLeftMark: appendCharacter(0x200F); break;
    default:
        characterWord(keyword, hasParameter, parameter);
        paragraphWord(keyword, hasParameter, parameter);
        break;
    }
}

void RtfInterpreter::characterWord(RtfKeyword keyword, bool hasParameter, int parameter)
{
    RtfCharacterState& character = state().character;
    switch (keyword) {
    case RtfKeyword::Plain: {
        const int link = character.link;
        character = RtfCharacterState();
        character.link = link;
        break;
    }
    case RtfKeyword::Font:
        character.fontNumber = parameter;
        break;
    case RtfKeyword::FontSize:
        character.halfPoints = parameter >= 2 && parameter <= 3276 ? parameter : 0;
        break;
    case RtfKeyword::Bold:
        character.bold = switchParameter(hasParameter, parameter);
        break;
    case RtfKeyword::Italic:
        character.italic = switchParameter(hasParameter, parameter);
        break;
    case RtfKeyword::Underline:
        character.underline = switchParameter(hasParameter, parameter);
        break;
    case RtfKeyword::UnderlineNone:
        character.underline = false;
        break;
    case RtfKeyword::StrikeOut:
        character.strikeOut = switchParameter(hasParameter, parameter);
        break;
    case RtfKeyword::Hidden:
        character.hidden = switchParameter(hasParameter, parameter);
        break;
    case RtfKeyword::ForegroundColour:
        character.foregroundColour = parameter;
        break;
    case RtfKeyword::BackgroundColour:
        character.backgroundColour = parameter;
        break;
    case RtfKeyword::Superscript:
        character.verticalPosition = switchParameter(hasParameter, parameter) ? RtfVerticalPosition::Superscript
                                                                                : RtfVerticalPosition::Normal;
        break;
    case RtfKeyword::Subscript:
        character.verticalPosition = switchParameter(hasParameter, parameter) ? RtfVerticalPosition::Subscript
                                                                                : RtfVerticalPosition::Normal;
        break;
    case RtfKeyword::NoSuperSub:
        character.verticalPosition = RtfVerticalPosition::Normal;
        break;
    default:
        break;
    }
}

void RtfInterpreter::paragraphWord(RtfKeyword keyword, bool hasParameter, int parameter)
{
    RtfParagraphState& paragraph = state().paragraph;
    switch (keyword) {
    case RtfKeyword::ParagraphDefault:
        paragraph = RtfParagraphState();
        break;
    case RtfKeyword::AlignLeft:
        paragraph.alignment = RtfAlignment::Left;
        break;
    case RtfKeyword::AlignCentre:
        paragraph.alignment = RtfAlignment::Centre;
        break;
    case RtfKeyword::AlignRight:
        paragraph.alignment = RtfAlignment::Right;
        break;
    case RtfKeyword::AlignJustified:
        paragraph.alignment = RtfAlignment::Justified;
        break;
    case RtfKeyword::LeftIndent:
        paragraph.leftIndent = lengthParameter(parameter);
        break;
    case RtfKeyword::RightIndent:
        paragraph.rightIndent = lengthParameter(parameter);
        break;
    case RtfKeyword::FirstLineIndent:
        paragraph.firstLineIndent = lengthParameter(parameter);
        break;
    case RtfKeyword::SpaceBefore:
        paragraph.spaceBefore = spacingParameter(parameter);
        break;
    case RtfKeyword::SpaceAfter:
        paragraph.spaceAfter = spacingParameter(parameter);
        break;
    case RtfKeyword::TabPosition:
        if (paragraph.tabStops.size() < maxTabStops)
            paragraph.tabStops.append({spacingParameter(parameter), paragraph.nextTabKind});
        paragraph.nextTabKind = RtfTabKind::Left;
        break;
    case RtfKeyword::BarTabPosition:
        paragraph.nextTabKind = RtfTabKind::Left;
        break;
    case RtfKeyword::TabRight:
        paragraph.nextTabKind = RtfTabKind::Right;
        break;
    case RtfKeyword::TabCentre:
        paragraph.nextTabKind = RtfTabKind::Centre;
        break;
    case RtfKeyword::TabDecimal:
        paragraph.nextTabKind = RtfTabKind::Decimal;
        break;
    case RtfKeyword::InTable:
        paragraph.inTable = switchParameter(hasParameter, parameter);
        break;
    case RtfKeyword::TableDepth:
        paragraph.inTable = parameter > 0;
        break;
    default:
        break;
    }
}

void RtfInterpreter::fontTableWord(RtfKeyword keyword, int parameter)
{
    switch (keyword) {
    case RtfKeyword::Font:
        m_fontBeingDeclared = parameter;
        m_fontNameComplete = false;
        m_tables.declareFont(parameter).name.clear();
        break;
    case RtfKeyword::FontCharset:
        if (m_fontBeingDeclared >= 0) {
            const int codePage = codePageOfCharset(parameter);
            if (codePage != 0)
                m_tables.declareFont(m_fontBeingDeclared).codePage = codePage;
        }
        break;
    case RtfKeyword::FontCodePage:
        if (m_fontBeingDeclared >= 0 && parameter > 0)
            m_tables.declareFont(m_fontBeingDeclared).codePage = parameter;
        break;
    default:
        break;
    }
}

void RtfInterpreter::colourTableWord(RtfKeyword keyword, int parameter)
{
    const int component = qBound(0, parameter, 255);
    switch (keyword) {
    case RtfKeyword::Red:
        m_red = component;
        m_colourGiven = true;
        break;
    case RtfKeyword::Green:
        m_green = component;
        m_colourGiven = true;
        break;
    case RtfKeyword::Blue:
        m_blue = component;
        m_colourGiven = true;
        break;
    default:
        break;
    }
}

void RtfInterpreter::pictureWord(RtfKeyword keyword, int parameter)
{
    switch (keyword) {
    case RtfKeyword::PngBlip:
        m_picture.format = RtfPictureFormat::Png;
        break;
    case RtfKeyword::JpegBlip:
        m_picture.format = RtfPictureFormat::Jpeg;
        break;
    case RtfKeyword::DeviceIndependentBitmap:
        m_picture.format = RtfPictureFormat::Bitmap;
        break;
    case RtfKeyword::WindowsMetafile:
        m_picture.format = RtfPictureFormat::Metafile;
        break;
    case RtfKeyword::OtherPictureFormat:
        m_picture.format = RtfPictureFormat::Unsupported;
        break;
    case RtfKeyword::PictureGoalWidth:
        m_picture.goalWidthTwips = spacingParameter(parameter);
        break;
    case RtfKeyword::PictureGoalHeight:
        m_picture.goalHeightTwips = spacingParameter(parameter);
        break;
    case RtfKeyword::PictureScaleX:
        m_picture.scaleXPercent = qBound(1, parameter, 1000);
        break;
    case RtfKeyword::PictureScaleY:
        m_picture.scaleYPercent = qBound(1, parameter, 1000);
        break;
    default:
        break;
    }
}

void RtfInterpreter::controlSymbol(unsigned char symbol)
{
    switch (symbol) {
    case '\\':
    case '{':
    case '}': {
        const char byte = static_cast<char>(symbol);
        textBytes(QByteArrayView(&byte, 1));
        break;
    }
    case '~':
        appendCharacter(0x00A0);
        break;
    case '_':
        appendCharacter(0x2011);
        break;
    case '\t':
        appendCharacter(u'\t');
        break;
    default:
        break;
    }
}

void RtfInterpreter::textBytes(QByteArrayView bytes)
{
    switch (state().destination) {
    case RtfDestination::Text:
    case RtfDestination::FieldInstruction:
        appendDecoded(bytes);
        break;
    case RtfDestination::FontTable:
        fontNameBytes(bytes);
        break;
    case RtfDestination::ColourTable:
        colourTableBytes(bytes);
        break;
    case RtfDestination::Picture:
        pictureBytes(bytes);
        break;
    default:
        break;
    }
}

void RtfInterpreter::appendDecoded(QByteArrayView bytes)
{
    if (QString* target = textTarget()) {
        if (m_decoder.decode(bytes, currentCodePage(), *target) && target == &m_text)
            m_textNeedsCleanUp = true;
    }
}

void RtfInterpreter::appendCharacter(char16_t character)
{
    if (state().destination == RtfDestination::FontTable) {
        if (m_fontBeingDeclared >= 0 && !m_fontNameComplete)
            m_tables.declareFont(m_fontBeingDeclared).name.append(QChar(character));
        return;
    }
    if (QString* target = textTarget()) {
        target->append(QChar(character));
        if (target == &m_text && needsCleanUp(character))
            m_textNeedsCleanUp = true;
    }
}

// Where decoded text goes now, or null where it is dropped. Text for the document starts a new run when
// the formatting changed since the last character.
QString* RtfInterpreter::textTarget()
{
    RtfGroupState& current = state();
    if (current.destination == RtfDestination::FieldInstruction) {
        if (current.field < 0 || current.field >= m_fieldInstructions.size())
            return nullptr;
        return &m_fieldInstructions[current.field];
    }
    if (current.destination != RtfDestination::Text || current.character.hidden)
        return nullptr;
    prepareTextRun();
    return &m_text;
}

void RtfInterpreter::prepareTextRun()
{
    const RtfGroupState& current = state();
    if (!m_text.isEmpty()) {
        if (current.character == m_textCharacter && current.paragraph.inTable == m_textParagraph.inTable)
            return;
        flushText();
    }
    m_textCharacter = current.character;
    m_textParagraph = current.paragraph;
}

void RtfInterpreter::flushText()
{
    if (m_text.isEmpty())
        return;
    if (m_textNeedsCleanUp)
        cleanUpText(m_text);
    if (!m_text.isEmpty())
        m_sink.text(m_text, m_textCharacter, m_textParagraph);
    m_text.resize(0);   // keeps the capacity for the next run
    m_textNeedsCleanUp = false;
}

void RtfInterpreter::fontNameBytes(QByteArrayView bytes)
{
    if (m_fontBeingDeclared < 0 || m_fontNameComplete)
        return;
    const qsizetype end = bytes.indexOf(';');
    RtfFont& font = m_tables.declareFont(m_fontBeingDeclared);
    const QByteArrayView name = end < 0 ? bytes : bytes.first(end);
    if (font.name.size() < maxFontNameLength) {
        const int codePage = font.codePage != 0 ? font.codePage : m_tables.codePage();
        m_decoder.decode(name.first(qMin<qsizetype>(name.size(), maxFontNameLength)), codePage, font.name);
    }
    if (end >= 0) {
        m_fontNameComplete = true;
        font.name = font.name.trimmed();
    }
}

void RtfInterpreter::colourTableBytes(QByteArrayView bytes)
{
    for (const char byte : bytes) {
        if (byte != ';')
            continue;
        m_tables.addColour(m_colourGiven ? QColor(m_red, m_green, m_blue) : QColor());
        m_red = m_green = m_blue = 0;
        m_colourGiven = false;
    }
}

void RtfInterpreter::pictureBytes(QByteArrayView bytes)
{
    for (const char byte : bytes) {
        const int nibble = hexDigitValue(byte);
        if (nibble < 0)
            continue;
        if (m_pendingNibble < 0) {
            m_pendingNibble = nibble;
        } else {
            m_picture.data.append(static_cast<char>(m_pendingNibble * 16 + nibble));
            m_pendingNibble = -1;
        }
    }
}

void RtfInterpreter::binaryData(QByteArrayView bytes)
{
    if (state().destination == RtfDestination::Picture)
        m_picture.data.append(bytes);
}

void RtfInterpreter::endParagraph()
{
    if (state().destination != RtfDestination::Text)
        return;
    flushText();
    m_sink.paragraphEnd(state().character, state().paragraph);
}

void RtfInterpreter::emitPicture(const RtfGroupState& pictureGroup)
{
    if (m_picture.format == RtfPictureFormat::Unsupported || m_picture.data.isEmpty()
        || pictureGroup.character.hidden)
        return;
    flushText();
    m_sink.picture(m_picture, pictureGroup.character, pictureGroup.paragraph);
    m_picture = RtfPicture();
}

// The link index of a field, -1 when the field is no hyperlink. Parsed once per field.
int RtfInterpreter::linkOfField(int field)
{
    if (m_fieldLinks[field] == unparsedField) {
        const QString target = hyperlinkTarget(m_fieldInstructions[field]);
        m_fieldLinks[field] = target.isEmpty() ? -1 : m_tables.addLink(target);
    }
    return m_fieldLinks[field];
}

int RtfInterpreter::currentCodePage() const
{
    const RtfFont* font = m_tables.font(m_groups.back().character.fontNumber);
    return font && font->codePage != 0 ? font->codePage : m_tables.codePage();
}

}
