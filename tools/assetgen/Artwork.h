// The game's pictures: card faces, card backs, the board and the program icon.
#pragma once
#include "Canvas.h"

namespace assetgen {

constexpr int kCard = 128;     // a card and every sheet frame is kCard by kCard
constexpr int kFaces = 6;      // face sheet "LEVEL0": kCard by kCard * kFaces
constexpr int kBackFrames = 4; // back sheet "STOVE2": plain, highlighted, shimmer, edge strips
constexpr int kEdge = 8;       // thickness of the edge strips in back frame 3
constexpr int kBoardWidth = 540, kBoardHeight = 400;

Canvas drawFaces();
Canvas drawBacks();
Canvas drawBoard();
// The program icon at size by size pixels, with its coverage (1 = opaque).
Canvas drawIcon(int size, std::vector<double>* alpha);

// Where the game lays the twelve cards: columns and rows of its normal layout.
constexpr int kCardColumns[4] = {8, 139, 270, 401};
constexpr int kCardRows[3] = {5, 136, 267};

} // namespace assetgen
