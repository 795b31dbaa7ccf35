#include "print/rtf/RtfKeyword.h"

#include <string_view>
#include <unordered_map>

namespace dayvell::rtf {

namespace {

using KeywordMap = std::unordered_map<std::string_view, RtfKeyword>;

KeywordMap makeKeywordMap()
{
    using K = RtfKeyword;
    KeywordMap map{
        {"rtf", K::Rtf}, {"fonttbl", K::FontTable}, {"colortbl", K::ColourTable}, {"pict", K::Picture},
        {"field", K::Field}, {"fldinst", K::FieldInstruction}, {"fldrslt", K::FieldResult},
        {"listtext", K::ListText}, {"pntext", K::ListText}, {"shppict", K::ShapePicture},
        {"upr", K::UnicodePair}, {"ud", K::UnicodeAlternative},

        {"ansicpg", K::AnsiCodePage}, {"ansi", K::Ansi}, {"mac", K::Mac}, {"pc", K::Pc}, {"pca", K::Pca},
        {"deff", K::DefaultFont}, {"uc", K::UnicodeSkip}, {"u", K::Unicode},

        {"f", K::Font}, {"fcharset", K::FontCharset}, {"cpg", K::FontCodePage},
        {"red", K::Red}, {"green", K::Green}, {"blue", K::Blue},

        {"plain", K::Plain}, {"b", K::Bold}, {"i", K::Italic}, {"ulnone", K::UnderlineNone},
        {"strike", K::StrikeOut}, {"striked", K::StrikeOut}, {"fs", K::FontSize},
        {"cf", K::ForegroundColour}, {"cb", K::BackgroundColour}, {"highlight", K::BackgroundColour},
        {"chcbpat", K::BackgroundColour}, {"super", K::Superscript}, {"sub", K::Subscript},
        {"nosupersub", K::NoSuperSub}, {"v", K::Hidden},

        {"pard", K::ParagraphDefault}, {"ql", K::AlignLeft}, {"qc", K::AlignCentre}, {"qr", K::AlignRight},
        {"qj", K::AlignJustified}, {"qd", K::AlignJustified}, {"li", K::LeftIndent}, {"lin", K::LeftIndent},
        {"ri", K::RightIndent}, {"rin", K::RightIndent}, {"fi", K::FirstLineIndent},
        {"sb", K::SpaceBefore}, {"sa", K::SpaceAfter}, {"tx", K::TabPosition}, {"tb", K::BarTabPosition},
        {"tqr", K::TabRight}, {"tqc", K::TabCentre}, {"tqdec", K::TabDecimal},
        {"intbl", K::InTable}, {"itap", K::TableDepth},

        {"par", K::Paragraph}, {"sect", K::Paragraph}, {"column", K::Paragraph}, {"line", K::Line},
        {"softline", K::Line}, {"tab", K::Tab}, {"page", K::Page}, {"cell", K::Cell},
        {"nestcell", K::NestedCell}, {"row", K::Row}, {"nestrow", K::NestedRow}, {"trowd", K::RowDefaults},
        {"cellx", K::CellBoundary}, {"emdash", K::EmDash}, {"endash", K::EnDash},
        {"emspace", K::EmSpace}, {"enspace", K::EnSpace}, {"qmspace", K::QuarterEmSpace},
        {"bullet", K::Bullet}, {"lquote", K::LeftQuote}, {"rquote", K::RightQuote},
        {"ldblquote", K::LeftDoubleQuote}, {"rdblquote", K::RightDoubleQuote},
        {"zwj", K::ZeroWidthJoiner}, {"zwnj", K::ZeroWidthNonJoiner}, {"ltrmark", K::LeftToRightMark},
        {"rtlmark", K::RightToLeftMark},

        {"pngblip", K::PngBlip}, {"jpegblip", K::JpegBlip}, {"emfblip", K::OtherPictureFormat},
        {"wmetafile", K::WindowsMetafile}, {"macpict", K::OtherPictureFormat},
        {"pmmetafile", K::OtherPictureFormat}, {"dibitmap", K::DeviceIndependentBitmap},
        {"wbitmap", K::OtherPictureFormat}, {"picw", K::PictureWidth}, {"pich", K::PictureHeight},
        {"picwgoal", K::PictureGoalWidth}, {"pichgoal", K::PictureGoalHeight},
        {"picscalex", K::PictureScaleX}, {"picscaley", K::PictureScaleY},
    };

    // Every kind of underline the word processors write turns on the one underline the editor has.
    for (const char* underline : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash",
                                  "ulth", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash",
                                  "ululdbwave", "ulw", "ulwave"})
        map.emplace(underline, K::Underline);

    for (const char* skipped : {"stylesheet", "info", "header", "headerl", "headerr", "headerf", "footer",
                                "footerl", "footerr", "footerf", "footnote", "annotation", "pn", "nonshppict",
                                "ftnsep", "ftnsepc", "aftnsep", "aftnsepc", "xe", "tc", "txe", "rxe",
                                "bkmkstart", "bkmkend", "template", "listtable", "listoverridetable",
                                "revtbl", "rsidtbl", "generator", "themedata", "colorschememapping",
                                "latentstyles", "datastore", "xmlnstbl", "objdata", "objclass"})
        map.emplace(skipped, K::SkippedDestination);
    return map;
}

}

RtfKeyword lookUpKeyword(QByteArrayView word)
{
    static const KeywordMap map = makeKeywordMap();
    const auto found = map.find(std::string_view(word.data(), static_cast<size_t>(word.size())));
    return found == map.end() ? RtfKeyword::Unknown : found->second;
}

}

