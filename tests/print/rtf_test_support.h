#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace dayvell::rtf::testing {

inline QString fixturePath(const QString& name)
{
    return QStringLiteral(DAYVELL_TEST_DATA "/rtf/") + name;
}

inline QByteArray readFixture(const QString& name)
{
    QFile file(fixturePath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot open fixture " << name.toStdString();
        return {};
    }
    return file.readAll();
}

// The format of the first fragment whose text contains the given text; fails the test when none does.
inline QTextCharFormat formatOfText(const QTextDocument& document, const QString& text)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().text().contains(text))
                return it.fragment().charFormat();
        }
    }
    ADD_FAILURE() << "no fragment holds \"" << text.toStdString() << '"';
    return {};
}

inline QTextBlock blockWithText(const QTextDocument& document, const QString& text)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.text().contains(text))
            return block;
    }
    ADD_FAILURE() << "no paragraph holds \"" << text.toStdString() << '"';
    return {};
}

inline double twips(double pixels)
{
    return pixels * 15;
}

}
