// assetgen: draws and synthesises the game's resources into the resource folder.
//
//   assetgen [--out DIR] [--sheet FILE.png]
//
// Without options it writes every asset into the source tree's res/. --out writes them
// into DIR instead; --sheet writes a PNG overview of the pictures (and, unless --out is
// also given, nothing else). The output depends on nothing but this program.
#include "Artwork.h"
#include "ContactSheet.h"
#include "ImageFiles.h"
#include "ManifestFile.h"
#include "MusicBox.h"
#include "Sounds.h"
#include "WaveFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#ifndef ASSETGEN_DEFAULT_OUT
#define ASSETGEN_DEFAULT_OUT "res"
#endif

namespace fs = std::filesystem;
using namespace assetgen;

namespace {

bool save(const fs::path& path, const Bytes& bytes)
{
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.string().c_str());
        return false;
    }
    return true;
}

bool writeAssets(const fs::path& dir, const Canvas& faces, const Canvas& backs, const Canvas& board)
{
    bool ok = save(dir / "LEVEL0.bmp", bitmapFile(faces));
    ok = save(dir / "STOVE2.bmp", bitmapFile(backs)) && ok;
    ok = save(dir / "BKGR_FOIL.bmp", bitmapFile(board)) && ok;
    ok = save(dir / "palette.pal", paletteFile({&faces, &backs, &board})) && ok;

    std::vector<double> alpha16, alpha32;
    const Canvas icon16 = drawIcon(16, &alpha16), icon32 = drawIcon(32, &alpha32);
    ok = save(dir / "memory.ico", iconFile({{&icon16, &alpha16}, {&icon32, &alpha32}})) && ok;
    ok = save(dir / "memory.manifest", manifestFile()) && ok;

    for (const WaveLayout& layout : kWaveTable)
        ok = save(dir / "wav" / (std::string(layout.name) + ".wav"), waveFile(layout, synthesise(layout))) && ok;
    ok = save(dir / "MUSIC" / "MusicBox_02_Tesk_CdurCoda.mid", musicBoxFile()) && ok;
    return ok;
}

int usage()
{
    std::fprintf(stderr, "usage: assetgen [--out DIR] [--sheet FILE.png]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::string out, sheet;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--out" || arg == "--sheet") && i + 1 < argc)
            (arg == "--out" ? out : sheet) = argv[++i];
        else
            return usage();
    }
    if (out.empty() && sheet.empty()) out = ASSETGEN_DEFAULT_OUT;

    const Canvas faces = drawFaces(), backs = drawBacks(), board = drawBoard();
    bool ok = true;
    if (!out.empty()) ok = writeAssets(out, faces, backs, board);
    if (!sheet.empty() && !writeContactSheet(sheet, faces, backs, board)) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", sheet.c_str());
        ok = false;
    }
    return ok ? 0 : 1;
}
