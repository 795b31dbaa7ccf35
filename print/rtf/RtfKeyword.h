#pragma once

#include <QByteArrayView>

namespace dayvell::rtf {

// The control words the reader acts on. Everything else is ignored.
enum class RtfKeyword {
    Unknown,
    // Destinations read for their content
    Rtf, FontTable, ColourTable, Picture, Field, FieldInstruction, FieldResult, ListText, ShapePicture,
    UnicodePair, UnicodeAlternative,
    // Destinations whose content is not part of the text
    SkippedDestination,
    // Document
    AnsiCodePage, Ansi, Mac, Pc, Pca, DefaultFont, UnicodeSkip, Unicode,
    // Font and colour tables
    Font, FontCharset, FontCodePage, Red, Green, Blue,
    // Character formatting
    Plain, Bold, Italic, Underline, UnderlineNone, StrikeOut, FontSize, ForegroundColour, BackgroundColour,
    Superscript, Subscript, NoSuperSub, Hidden,
    // Paragraph formatting
    ParagraphDefault, AlignLeft, AlignCentre, AlignRight, AlignJustified, LeftIndent, RightIndent,
    FirstLineIndent, SpaceBefore, SpaceAfter, TabPosition, BarTabPosition, TabRight, TabCentre, TabDecimal,
    InTable, TableDepth,
    // Breaks and special characters
    Paragraph, Line, Tab, Page, Cell, NestedCell, Row, NestedRow, RowDefaults, CellBoundary,
    EmDash, EnDash, EmSpace, EnSpace, QuarterEmSpace, Bullet, LeftQuote, RightQuote, LeftDoubleQuote,
    RightDoubleQuote, ZeroWidthJoiner, ZeroWidthNonJoiner, LeftToRightMark, RightToLeftMark,
    // Pictures
    PngBlip, JpegBlip, DeviceIndependentBitmap, WindowsMetafile, OtherPictureFormat, PictureWidth, PictureHeight, PictureGoalWidth, PictureGoalHeight,
    PictureScaleX, PictureScaleY,
};

RtfKeyword lookUpKeyword(QByteArrayView word);

}
