#pragma once

// The two kinds of sound the player can set apart: the looped background music of the
// scenes, and every other sound (shots, hits, explosions, alarms, the interface). Each
// voice belongs to one; a new voice is an effect until it is made music.
enum class SoundGroup { Music, Effects };
