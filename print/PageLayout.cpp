#include "print/PageLayout.h"

#include "print/EditorError.h"

namespace dayvell::editor {

namespace {

constexpr int kLargest = 200 * 1440;  // 200 inches

int keptOr(int requested, int current, const char* name)
{
    if (requested == PageLayout::kKeep)
        return current;
    if (requested < 0)
        throw EditorError(QStringLiteral("Page layout: the %1 cannot be negative (%2 twips)")
                              .arg(QLatin1String(name))
                              .arg(requested));
    if (requested > kLargest)
        throw EditorError(QStringLiteral("Page layout: a %1 of %2 twips is larger than any paper")
                              .arg(QLatin1String(name))
                              .arg(requested));
    return requested;
}

}  // namespace

PageLayout PageLayout::changed(int left, int right, int top, int bottom, int width, int height) const
{
    PageLayout result;
    result.leftMargin = keptOr(left, leftMargin, "left margin");
    result.rightMargin = keptOr(right, rightMargin, "right margin");
    result.topMargin = keptOr(top, topMargin, "top margin");
    result.bottomMargin = keptOr(bottom, bottomMargin, "bottom margin");
    result.pageWidth = keptOr(width, pageWidth, "page width");
    result.pageHeight = keptOr(height, pageHeight, "page height");
    if (result.textWidth() <= 0 || result.textHeight() <= 0)
        throw EditorError(QStringLiteral("Page layout: margins of %1, %2, %3, %4 twips leave no room for text "
                                         "on a page of %5 x %6 twips")
                              .arg(result.leftMargin)
                              .arg(result.rightMargin)
                              .arg(result.topMargin)
                              .arg(result.bottomMargin)
                              .arg(result.pageWidth)
                              .arg(result.pageHeight));
    return result;
}

}  // namespace dayvell::editor
