#pragma once

#include <QString>
#include <QStringView>

namespace dayvell::rtf {

// The target of a HYPERLINK field instruction ("HYPERLINK \"url\" \o \"tip\"", "HYPERLINK \l \"mark\""
// gives "#mark"), or an empty string for any other field.
QString hyperlinkTarget(QStringView instruction);

}
