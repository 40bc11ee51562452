#pragma once
// Everything of the skin utilities in one include: INI value forms, skin
// image composition, regions from masks, captions and geometry, layered
// windows, platform probes, glow texts, small glyphs and parent backgrounds.

#include "skin/core/bsUtils_Glow.h"
#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_Layer.h"
#include "skin/core/bsUtils_Probes.h"
#include "skin/core/bsUtils_Regions.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_SkinIni.h"
#include "skin/core/bsUtils_Text.h"
