#include "rtf_bench_entries.h"

namespace {

const char* const paragraphs[] = {
    "Woke up early and walked the dog along the river before breakfast. The fog was still lying over the "
    "water and the \\b heron\\b0  was back on its post by the bridge.",
    "Work was busy: two meetings about the \\i spring schedule\\i0 , then most of the afternoon on the budget "
    "figures. Left a little after six.",
    "Called Mum in the evening; she is feeling better and wants to visit in May. Need to remember to book the "
    "caf\\'e9 for her birthday \\endash  the one with the garden.",
    "\\cf1 Reminder:\\cf0  pay the electricity bill, return the library books, buy batteries for the smoke "
    "alarm.",
    "Read another two chapters before bed. The story is slow but the writing is lovely, full of small "
    "observations about the \\ul weather\\ulnone  and the town.",
};

}

QByteArray typicalRtfEntry(int approximateBytes)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}"
                     "{\\f1\\fnil\\fcharset0 Times New Roman;}}\r\n"
                     "{\\colortbl ;\\red192\\green0\\blue0;}\r\n"
                     "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
                     "\\pard\\sa200\\sl276\\slmult1\\f0\\fs20\\lang9 ";
    int index = 0;
    while (rtf.size() < approximateBytes) {
        rtf += paragraphs[index % std::size(paragraphs)];
        rtf += "\\par\r\n";
        ++index;
    }
    rtf += "}\r\n";
    return rtf;
}
