#pragma once

#include <QList>

namespace dayvell::rtf {

enum class RtfVerticalPosition { Normal, Superscript, Subscript };

// Character formatting as the RTF states it; numbers refer to the font, colour and link tables.
struct RtfCharacterState {
    int fontNumber = -1;        // -1: the document's default font (\deff)
    int halfPoints = 0;         // 0: the default size
    int foregroundColour = 0;   // colour table index; 0 and unknown indexes are automatic
    int backgroundColour = 0;
    int link = -1;              // index of the hyperlink this text belongs to
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool hidden = false;
    RtfVerticalPosition verticalPosition = RtfVerticalPosition::Normal;

    bool operator==(const RtfCharacterState&) const = default;
};

enum class RtfAlignment { Left, Centre, Right, Justified };
enum class RtfTabKind { Left, Centre, Right, Decimal };

struct RtfTabStop {
    int positionTwips = 0;
    RtfTabKind kind = RtfTabKind::Left;

    bool operator==(const RtfTabStop&) const = default;
};

// Paragraph formatting; lengths in twips.
struct RtfParagraphState {
    RtfAlignment alignment = RtfAlignment::Left;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstLineIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    QList<RtfTabStop> tabStops;
    RtfTabKind nextTabKind = RtfTabKind::Left;
    bool inTable = false;

    bool operator==(const RtfParagraphState&) const = default;
};

// Where the text of a group goes.
enum class RtfDestination {
    Text, Skip, FontTable, ColourTable, Picture, FieldInstruction, UnicodePair,
};

struct RtfGroupState {
    RtfCharacterState character;
    RtfParagraphState paragraph;
    RtfDestination destination = RtfDestination::Text;
    RtfDestination destinationAroundUnicodePair = RtfDestination::Text;
    int unicodeSkip = 1;
    int field = -1;
    bool ignorableDestination = false;
};

}
