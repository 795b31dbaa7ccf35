#pragma once

namespace dayvell::editor {

// Page size and margins of a document, in twips (1/1440 inch). Letter paper with one-inch margins
// until somebody sets another layout.
struct PageLayout {
    // Passed to PageLayout::changed for a value that stays as it is.
    static constexpr int kKeep = -1000;

    int leftMargin = 1440;
    int rightMargin = 1440;
    int topMargin = 1440;
    int bottomMargin = 1440;
    int pageWidth = 12240;
    int pageHeight = 15840;

    // This layout with every value that is not kKeep replaced. Throws EditorError when a value is
    // negative or the margins leave no room for text.
    PageLayout changed(int left, int right, int top, int bottom, int width, int height) const;

    int textWidth() const { return pageWidth - leftMargin - rightMargin; }
    int textHeight() const { return pageHeight - topMargin - bottomMargin; }

    static double twipsToPixels(int twips, int dotsPerInch) { return twips * double(dotsPerInch) / 1440.0; }

    friend bool operator==(const PageLayout&, const PageLayout&) = default;
};

}  // namespace dayvell::editor
