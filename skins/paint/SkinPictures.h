#pragma once
// The pictures of the program's own skin, each drawn from code so that the
// look can be retuned in one place. Every function answers the finished
// picture; zarvelo.ini names the pieces by their rectangles, which the
// comments of SkinPictures_*.cpp list.

#include "skins/paint/SkinPaint.h"

namespace skinpaint {

TPainter FramePicture();    // the form frame (the skin's frame picture)
TPainter CaptionButtons();  // caption button states
TPainter ButtonPicture();   // push, tool, small and header buttons
TPainter MarkPicture();     // check and radio marks, sliders, tree glyphs
TPainter ScrollPicture();   // scroll bars
TPainter BoxPicture();      // edits, lists, combos, menus, tabs, panels, bars
TPainter PopupPicture();    // the popup menu window
TPainter HintPicture();     // the hint window

} // namespace skinpaint
