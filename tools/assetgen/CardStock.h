// What every card side shares: the cream card stock with its dark cut edge, and the
// rounded panel inside its border on which a face or back is printed.
#pragma once
#include "Canvas.h"

namespace assetgen {

constexpr double kPanelInset = 8;   // border width of the card stock around the panel
constexpr double kPanelRadius = 11; // corner radius of the panel

// A blank card: cream stock, lit from the top left, with a dark one-pixel cut edge.
Canvas cardStock();
// The printed panel of a card.
double panelShape(Vec2 p);
// Prints a panel: radial colour from inner (centre) to outer (corners), a darker line
// around it and a slight inner shadow along its edge.
void printPanel(Canvas& card, Rgb inner, Rgb outer, Rgb line);

// A soft drop shadow under a shape, as if it stood a little off the card.
void dropShadow(Canvas& card, const Sdf& shape, double opacity = 0.28);
// A shape with its drop shadow, a painted body and an outline.
void figure(Canvas& card, const Sdf& shape, const Paint& body, Rgb line, double lineWidth = 2.0);
// A four-pointed sparkle of radius r.
Sdf sparkle(Vec2 centre, double r);

} // namespace assetgen
