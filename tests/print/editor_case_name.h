#pragma once

#include <QString>

#include <gtest/gtest.h>

#include <ostream>

#include <cctype>
#include <string>

// Names a parameterised test after its case's "name" field, in the characters test names allow.
template <typename Case>
std::string caseName(const ::testing::TestParamInfo<Case>& param)
{
    std::string name = param.param.name;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

// Shows QStrings as text in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
