#pragma once

// The way a search goes through letters: from the first on, or from the
// last back.
enum class Richtung { Vorwaerts, Rueckwaerts };
