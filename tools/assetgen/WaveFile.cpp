#include "WaveFile.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>

namespace assetgen {

// clang-format off
const std::array<WaveLayout, 18> kWaveTable = {{
    {"BLOOP", "Bloop", "Bubble pop",         8, 11025, 16, "fmt fact data",                2152},
    {"BRIM",  "Brim",  "Matching pair chime", 8, 22050, 16, "fmt fact data DISP DISP LIST", 26304},
    {"CHPOK", "Chpok", "Cork pop",            8, 11025, 18, "fmt data",                     2386},
    {"DONE1", "Done1", "Win fanfare",         8, 22050, 16, "fmt fact data DISP DISP LIST", 46988},
    {"DONE2", "Done2", "Win fanfare",         8, 22050, 16, "fmt data",                     57344},
    {"DONE3", "Done3", "Win flourish",        8, 11025, 18, "fmt data",                     9520},
    {"FALL1", "Fall1", "Xylophone cascade",   8, 8000,  16, "fmt data",                     8921},
    {"FALL2", "Fall2", "Wooden clatter",      8, 11025, 18, "fmt data",                     4780},
    {"FALL3", "Fall3", "Glockenspiel run",    8, 11025, 18, "fmt data",                     9110},
    {"FALL4", "Fall4", "Bouncing down",       8, 11025, 18, "fmt data",                     11748},
    {"FALL5", "Fall5", "Marimba arpeggio",    8, 11025, 18, "fmt data",                     11630},
    {"FALL6", "Fall6", "Harp glissando",      8, 11025, 18, "fmt data",                     13934},
    {"FALL7", "Fall7", "Cards riffling",      8, 11025, 16, "fmt data",                     7769},
    {"FALL8", "Fall8", "Celesta tumble",      8, 11025, 16, "fmt data LIST",                7235},
    {"GLASS", "Glass", "Glass clink",         8, 11025, 18, "fmt data",                     12886},
    {"MENU",  "Menu",  "Menu pop",            8, 22050, 16, "fmt fact data DISP DISP LIST", 3020},
    {"OOP",   "Oop",   "Missed",              8, 22050, 16, "fmt data",                     22528},
    {"TSIK",  "Tsik",  "Tick",                16, 22050, 16, "fmt fact data DISP DISP LIST", 594},
}};
// clang-format on

namespace {

void chunk(Bytes& out, const std::string& id, const Bytes& body)
{
    out.text(id);
    out.u32le(static_cast<uint32_t>(body.size()));
    out.append(body);
    if (body.size() % 2) out.u8(0);
}

Bytes samplesBody(const WaveLayout& layout, const std::vector<double>& samples)
{
    Bytes b;
    for (double s : samples) {
        const double v = std::clamp(s, -1.0, 1.0);
        if (layout.bits == 8)
            b.u8(static_cast<uint32_t>(std::lround(128 + v * 127)));
        else
            b.u16le(static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767))));
    }
    return b;
}

// Display text: the clipboard format CF_TEXT (1) and a zero-terminated string.
Bytes displayBody(const char* text)
{
    Bytes b;
    b.u32le(1);
    b.text(text);
    b.u8(0);
    return b;
}

// An INFO list with the sound's name and a comment.
Bytes listBody(const WaveLayout& layout)
{
    Bytes b;
    b.text("INFO");
    const auto item = [&b](const char* id, const std::string& text) {
        Bytes t;
        t.text(text);
        t.u8(0);
        chunk(b, id, t);
    };
    item("INAM", layout.title);
    item("ICMT", std::string(layout.comment) + ", Memory Game");
    return b;
}

} // namespace

Bytes waveFile(const WaveLayout& layout, const std::vector<double>& samples)
{
    const int block = layout.bits / 8;
    Bytes body;
    body.text("WAVE");
    std::istringstream ids(layout.chunks);
    std::string id;
    int displays = 0;
    while (ids >> id) {
        Bytes b;
        if (id == "fmt") {
            b.u16le(1); // PCM
            b.u16le(1); // mono
            b.u32le(layout.rate);
            b.u32le(layout.rate * block);
            b.u16le(block);
            b.u16le(layout.bits);
            if (layout.fmtBytes == 18) b.u16le(0);
            id = "fmt ";
        } else if (id == "fact") {
            b.u32le(static_cast<uint32_t>(samples.size()));
        } else if (id == "data") {
            b = samplesBody(layout, samples);
        } else if (id == "DISP") {
            b = displayBody(displays++ == 0 ? layout.title : layout.comment);
        } else if (id == "LIST") {
            b = listBody(layout);
        }
        chunk(body, id, b);
    }
    Bytes file;
    file.text("RIFF");
    file.u32le(static_cast<uint32_t>(body.size()));
    file.append(body);
    return file;
}

} // namespace assetgen
