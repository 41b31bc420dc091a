#pragma once
#include "Bytes.h"

namespace assetgen {

// "MusicBox_02_Tesk_CdurCoda.mid": a short waltz in C major for music box and celesta,
// ending with a coda that slows onto a rolled C major chord. A Standard MIDI File of
// format 1: a tempo track and two instrument tracks.
Bytes musicBoxFile();

} // namespace assetgen
