#pragma once

// Registers one benchmark per asset file under data/ for the decoder or
// loader the game reads it with (run from the directory holding data/).
void registerLoaderBenchmarks();
