#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>

namespace dayvell {

// An INI file held as raw bytes: "[Section]" headers and "Key=Value" lines.
// Values are bytes as they stand in the file, neither decoded nor escaped.
// Section and key names match without regard to letter case, and spaces
// around names and values are ignored, as the usual INI readers do. Changing
// one value leaves every other byte of the file as it was.
class IniDocument {
public:
    explicit IniDocument(const QByteArray& content = {});

    // The value of the first such key in the first such section.
    std::optional<QByteArray> value(QByteArrayView section, QByteArrayView key) const;

    // Replaces the value, or adds the key (and the section) when missing.
    void setValue(QByteArrayView section, QByteArrayView key, const QByteArray& value);

    QByteArray toBytes() const;

private:
    struct Span {
        qsizetype header;  // index of the "[Section]" line
        qsizetype end;     // index one past the section's last line
    };
    std::optional<Span> findSection(QByteArrayView section) const;
    std::optional<qsizetype> findKey(const Span& span, QByteArrayView key) const;
    QByteArray makeLine(const QByteArray& text) const;

    // The file split at each '\n'; a line keeps its '\r' when the file has one.
    QList<QByteArray> lines_;
    bool windowsLineEnds_ = false;
};

}  // namespace dayvell
