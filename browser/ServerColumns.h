#pragma once

#include <QString>

#include <array>

// The server table's columns, in the order start-up adds them, with the caption and width (in
// twips) each gets. Every other place that names a column or its caption reads it from here.
namespace servercolumns {

enum Column { Name, Type, Version, Players, Address };

struct Caption {
    Column column;
    const char* caption;
    int widthTwips;
};

inline constexpr std::array<Caption, 5> All = {{
    {Name, "Server Name", 1500},
    {Type, "Type", 900},
    {Version, "Version", 900},
    {Players, "Players", 900},
    {Address, "IP Adr", 760},
}};

inline QString caption(Column column)
{
    return QString::fromLatin1(All[size_t(column)].caption);
}

} // namespace servercolumns
