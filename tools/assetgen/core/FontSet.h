#pragma once

#include <string>

#include "core/Font.h"

// The two faces all lettering uses: Noto Sans CJK Bold for the Japanese title and DejaVu Sans
// Bold for the Latin captions.
struct FontSet {
    Font japanese;
    Font latin;

    bool Load(std::string& error) {
        return japanese.Load(JapaneseFontFile(), 0, error) && latin.Load(LatinFontFile(), 0, error);
    }
};
