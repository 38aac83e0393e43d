#include "engine/Bibliotheque.h"

#include <cstring>
#include <string_view>

#include "engine/platform.h"
#include "rules/fonctions.h"

char OpeningBook[OpeningBookLines][BookLineCapacity + 1];

namespace {

// The opening lines, in table order (ascending by character code).
const char* const BookLines[OpeningBookLines] = {
    "a2a3d7d5", "a2a3e7e5c2c4b8c6b1c3g8f6",
    "a2a3e7e5c2c4g8f6b1c3d7d5c4d5f6d5g2g3d5b6", "a2a3e7e5c2c4g8f6g1f3e5e4",
    "a2a3e7e5c2c4g8f6g2g3d7d5c4d5f6d5f1g2d5b6", "a2a3g8f6", "b1c3c7c5",
    "b1c3d7d5d2d4c7c6g1f3g8f6", "b1c3d7d5d2d4e7e6g1f3c7c5", "b1c3d7d5e2e3e7e5",
    "b1c3d7d5g1f3g8f6", "b1c3e7e5", "b2b4c7c6c1b2a7a5a2a3d8b6",
    "b2b4d7d5c1b2c8g4c2c4e7e6d1b3g8f6e2e3b8d7",
    "b2b4d7d5c1b2c8g4h2h3g4h5g2g3c7c6f1g2g8f6", "b2b4d7d5c1b2d8d6a2a3e7e5",
    "b2b4d7d5c1b2d8d6b4b5b8d7", "b2b4d7d5e2e3e7e5a2a3g8f6c1b2f8d6c2c4d5c4",
    "c2c3e7e5", "c2c4b7b6d2d4", "c2c4b8c6b1c3e7e5e2e3g7g6d2d4d7d6d4d5c6e7",
    "c2c4b8c6b1c3e7e5g1f3f7f5d2d4e5e4c1g5f8e7", "c2c4b8c6b1c3e7e5g2g3d7d6f1g2",
    "c2c4b8c6d2d4d7d5", "c2c4b8c6d2d4e7e5g1f3e5d4f3d4g8f6b1c3f8b4",
    "c2c4b8c6e2e4e7e5g1f3g8f6", "c2c4b8c6g1f3e7e5b1c3", "c2c4b8c6g1f3e7e5d2d4",
    "c2c4c7c5b1c3b7b6g1f3c8b7e2e4d7d6d2d4", "c2c4c7c5b1c3b8c6g1f3",
    "c2c4c7c5b1c3b8c6g2g3e7e6g1f3", "c2c4c7c5b1c3d7d6g1f3b7b6d2d4",
    "c2c4c7c5b1c3e7e6g1f3d7d5c4d5e6d5d2d4", "c2c4c7c5b1c3g7g6g1f3",
    "c2c4c7c5b1c3g7g6g2g3f8g7f1g2b8c6", "c2c4c7c5b1c3g8f6g1f3",
    "c2c4c7c5b1c3g8f6g2g3d7d5c4d5f6d5f1g2d5c7", "c2c4c7c5b2b3g8f6c1b2e7e6",
    "c2c4c7c5g1f3b7b6d2d4c5d4f3d4c8b7f2f3", "c2c4c7c5g1f3b8c6b1c3c6d4f3e5",
    "c2c4c7c5g1f3b8c6d2d4c5d4f3d4e7e5d4c2", "c2c4c7c5g1f3d7d6d2d4c5d4f3d4",
    "c2c4c7c5g1f3e7e6", "c2c4c7c5g1f3g7g6b1c3f8g7g2g3",
    "c2c4c7c5g1f3g7g6d2d4c5d4f3d4b8c6", "c2c4c7c5g1f3g7g6e2e4",
    "c2c4c7c5g1f3g8f6b1c3b7b6e2e4c8b7e4e5f6e4", "c2c4c7c5g1f3g8f6d2d4",
    "c2c4c7c5g1f3g8f6g2g3d7d5c4d5f6d5f1g2d5c7", "c2c4c7c5g2g3b8c6b1c3",
    "c2c4c7c5g2g3b8c6f1g2g7g6b1c3", "c2c4c7c6b1c3d7d5c4d5c6d5d2d4", "c2c4c7c6d2d4",
    "c2c4c7c6e2e4", "c2c4c7c6g1f3", "c2c4c7c6g2g3d7d5d2d4e7e6",
    "c2c4c7c6g2g3d7d5f1g2e7e6d2d4g8f6", "c2c4e7e5b1c3b8c6",
    "c2c4e7e5b1c3d7d6d2d4e5d4d1d4b8c6d4d2g7g6",
    "c2c4e7e5b1c3d7d6e2e3f7f5d2d4g8f6d4e5d6e5", "c2c4e7e5b1c3d7d6g1f3b8c6d2d4",
    "c2c4e7e5b1c3d7d6g2g3b8c6", "c2c4e7e5b1c3f7f5e2e3g8f6d2d4e5e4g1h3f8b4",
    "c2c4e7e5b1c3f8b4c3d5b4a5b2b4c7c6b4a5c6d5",
    "c2c4e7e5b1c3f8b4d1b3b8c6e2e3g8f6g1f3",
    "c2c4e7e5b1c3f8b4g1f3b4c3b2c3b8c6d2d3g8e7", "c2c4e7e5b1c3f8b4g2g3g8f6",
    "c2c4e7e5b1c3f8c5e2e3", "c2c4e7e5b1c3g8f6", "c2c4e7e5d2d4e5d4",
    "c2c4e7e5g1f3b8c6", "c2c4e7e5g1f3e5e4f3d4b8c6e2e3c6d4e3d4d8f6", "c2c4e7e5g2g3",
    "c2c4e7e6b1c3d7d5d2d4c7c5", "c2c4e7e6b1c3f8b4d2d4", "c2c4e7e6d2d3c7c5",
    "c2c4e7e6d2d4d7d5", "c2c4e7e6e2e3c7c5", "c2c4e7e6g1f3c7c5d2d4c5d4f3d4g8f6",
    "c2c4e7e6g1f3c7c5e2e4", "c2c4e7e6g1f3d7d5", "c2c4e7e6g2g3d7d5d2d4",
    "c2c4e7e6g2g3g8f6d2d4", "c2c4e7e6g2g3g8f6f1g2d7d5b1c3f8e7d2d4e8g8",
    "c2c4g7g6d2d4", "c2c4g7g6e2e4", "c2c4g8f6b1c3b7b6d2d4", "c2c4g8f6b1c3b8c6g1f3",
    "c2c4g8f6b1c3c7c6d2d4", "c2c4g8f6b1c3c7c6e2e4d7d5e4d5",
    "c2c4g8f6b1c3d7d5c4d5f6d5e2e4d5c3b2c3g7g6", "c2c4g8f6b1c3d7d5d2d4d5c4e2e4",
    "c2c4g8f6b1c3d7d6d2d4", "c2c4g8f6b1c3e7e5e2e3c7c6g1f3e5e4f3d4d7d5",
    "c2c4g8f6b1c3e7e5e2e4c7c6g1f3f8b4f3e5d8e7", "c2c4g8f6b1c3e7e5g1f3b8c6",
    "c2c4g8f6b1c3e7e5g2g3", "c2c4g8f6b1c3e7e6d2d4",
    "c2c4g8f6b1c3e7e6e2e4c7c5e4e5f6g8d2d4c5d4",
    "c2c4g8f6b1c3e7e6g1f3b7b6g2g3c8b7f1g2f8e7", "c2c4g8f6b1c3e7e6g2g3f8b4",
    "c2c4g8f6b1c3g7g6d2d4", "c2c4g8f6d2d4",
    "c2c4g8f6g1f3b7b6b2b3c8b7c1b2e7e6e2e3f8e7", "c2c4g8f6g1f3b7b6g2g3c8b7d2d4e7e6",
    "c2c4g8f6g1f3b8c6d2d4", "c2c4g8f6g1f3c7c6d2d4", "c2c4g8f6g1f3d7d5c4d5",
    "c2c4g8f6g1f3d7d6b1c3g7g6d2d4", "c2c4g8f6g1f3e7e6d2d4",
    "c2c4g8f6g1f3e7e6g2g3b7b6f1g2c8b7e1g1f8e7", "c2c4g8f6g1f3g7g6d2d4",
    "c2c4g8f6g2g3e7e6", "d2d4b8c6d4d5c6e5e2e4e7e6g1f3d8f6f1e2f8c5", "d2d4b8c6g1f3",
    "d2d4c7c5d4c5e7e6b1c3f8c5c3e4d7d5e4c5d8a5", "d2d4c7c6c2c4d7d5",
    "d2d4c7c6e2e4d7d5", "d2d4d7d5b1c3g8f6c1g5b8d7",
    "d2d4d7d5c1f4c7c5e2e3b8c6c2c3g8f6b1d2",
    "d2d4d7d5c1g5c7c6e2e3h7h6g5h4d8b6d1c1e7e5", "d2d4d7d5c2c4b8c6b1c3d5c4",
    "d2d4d7d5c2c4b8c6c4d5d8d5e2e3e7e5b1c3f8b4",
    "d2d4d7d5c2c4b8c6e2e3e7e5d4e5d5d4e3d4d8d4", "d2d4d7d5c2c4b8c6g1f3",
    "d2d4d7d5c2c4c7c5c4d5g8f6d4c5d8d5d1d5f6d5",
    "d2d4d7d5c2c4c7c6b1c3d5c4e2e4b7b5a2a4b5b4",
    "d2d4d7d5c2c4c7c6c1f4g8f6e2e3c8f5b1c3e7e6",
    "d2d4d7d5c2c4c7c6c4d5c6d5b1c3b8c6c1f4e7e5", "d2d4d7d5c2c4c7c6g1f3",
    "d2d4d7d5c2c4c8f5b1c3e7e6d1b3b8c6c4d5e6d5",
    "d2d4d7d5c2c4c8f5c4d5f5b1d1a4c7c6a1b1d8d5",
    "d2d4d7d5c2c4c8f5d1b3e7e5b3b7b8d7b1c3e5d4", "d2d4d7d5c2c4c8f5g1f3",
    "d2d4d7d5c2c4d5c4b1c3a7a6g1f3", "d2d4d7d5c2c4d5c4e2e3b7b5a2a4",
    "d2d4d7d5c2c4d5c4e2e4b8c6c1e3e7e5d4d5c6e7",
    "d2d4d7d5c2c4d5c4g1f3a7a6a2a4c7c5d4d5g8f6",
    "d2d4d7d5c2c4e7e5d4e5d5d4c1f4b8c6g1f3g8e7",
    "d2d4d7d5c2c4e7e6b1c3c7c5c4d5c5d4d1a4b7b5", "d2d4d7d5c2c4e7e6c4d5e6d5b1c3c7c5",
    "d2d4d7d5c2c4e7e6g1f3", "d2d4d7d5c2c4e7e6g2g3c7c5", "d2d4d7d5c2c4g8f6",
    "d2d4d7d5e2e3c7c5c2c4e7e6", "d2d4d7d5e2e3c7c5g1f3e7e6", "d2d4d7d5e2e4c7c6",
    "d2d4d7d5e2e4e7e6", "d2d4d7d5g1f3e7e6c2c4", "d2d4d7d5g1f3g8f6c2c4",
    "d2d4d7d5g2g3g8f6c2c4c7c6", "d2d4d7d5g2g3g8f6f1g2c7c6",
    "d2d4d7d5g2g3g8f6g1f3c7c6", "d2d4d7d6c2c4b8d7b1c3e7e5e2e4e5d4d1d4",
    "d2d4d7d6c2c4e7e5g1f3e5e4f3g1f7f5b1c3f8e7", "d2d4d7d6c2c4f7f5g1f3g8f6",
    "d2d4d7d6c2c4g7g6b1c3", "d2d4d7d6c2c4g8f6", "d2d4d7d6e2e4",
    "d2d4e7e5d4e5b8c6g1f3d8e7d1d5f7f6e5f6g8f6", "d2d4e7e6b1c3d7d5e2e4",
    "d2d4e7e6c2c4d7d5", "d2d4e7e6e2e4d7d5", "d2d4e7e6g1f3d7d5",
    "d2d4f7f5c2c4e7e6g2g3f8b4c1d2d8e7f1g2", "d2d4f7f5c2c4g7g6g2g3f8g7f1g2d7d6b1c3",
    "d2d4f7f5c2c4g7g6h2h4g8f6h4h5f6h5h1h5g6h5", "d2d4f7f5c2c4g8f6b1c3e7e6",
    "d2d4f7f5c2c4g8f6g1f3", "d2d4f7f5c2c4g8f6g2g3e7e6f1g2c7c5d4d5",
    "d2d4f7f5e2e4d7d6", "d2d4f7f5e2e4e7e6",
    "d2d4f7f5e2e4f5e4b1c3g7g6c3e4d7d5e4g5b8c6", "d2d4f7f5g1f3",
    "d2d4f7f5g2g3d7d6f1g2g7g6c2c4f8g7", "d2d4f7f5g2g3e7e6f1g2g8f6",
    "d2d4f7f5g2g3g7g6f1g2f8g7c2c4", "d2d4f7f5g2g3g8f6f1g2c7c6c2c4d7d6d4d5e7e5",
    "d2d4g7g6c2c4f8g7b1c3c7c5d4d5", "d2d4g7g6c2c4f8g7e2e4",
    "d2d4g7g6c2c4f8g7g1f3c7c5b1c3c5d4f3d4b8c6", "d2d4g7g6c2c4g8f6", "d2d4g7g6e2e4",
    "d2d4g7g6g1f3f8g7c2c4", "d2d4g7g6g1f3g8f6",
    "d2d4g8f6c1g5f6e4g5f4c7c5d4d5d8b6b1d2b6b2", "d2d4g8f6c1g5f6e4g5h4d7d5",
    "d2d4g8f6c1g5f6e4h2h4c7c5d4d5d8b6", "d2d4g8f6c2c3d7d5e2e3c7c5",
    "d2d4g8f6c2c3d7d5f2f4c8f5", "d2d4g8f6c2c3d7d5g1f3c8f5", "d2d4g8f6c2c4b7b6d4d5",
    "d2d4g8f6c2c4c7c5d4d5a7a6a2a4e7e5b1c3d7d6",
    "d2d4g8f6c2c4c7c5g1f3c5d4f3d4b8c6b1c3d7d6",
    "d2d4g8f6c2c4c7c6b1c3d7d5c1g5d5c4a2a4h7h6", "d2d4g8f6c2c4d7d6b1c3b8d7g1f3e7e5",
    "d2d4g8f6c2c4e7e6b1c3b7b6a2a3c8b7d4d5", "d2d4g8f6c2c4e7e6e2e3d7d5",
    "d2d4g8f6c2c4e7e6g1f3", "d2d4g8f6c2c4e7e6g2g3d7d5b1c3d5c4",
    "d2d4g8f6c2c4g7g6b1c3c7c5", "d2d4g8f6e2e3e7e6g1f3", "d2d4g8f6f2f4d7d5c2c3",
    "d2d4g8f6f2f4d7d5e2e3g7g6", "d2d4g8f6f2f4d7d5g1f3g7g6", "d2d4g8f6g1f3c7c5c2c4",
    "d2d4g8f6g1f3c7c5d4d5g7g6b1c3f8g7e2e4e8g8", "d2d4g8f6g1f3d7d5",
    "d2d4g8f6g1f3e7e6", "d2d4g8f6g2g3e7e6f1g2d7d5",
    "e2e3c7c5c2c4e7e6b1c3d7d5c4d5e6d5d2d4g8f6", "e2e3c7c5c2c4e7e6d2d4d7d5",
    "e2e3c7c5c2c4e7e6g1f3g8f6b1c3d7d5", "e2e3c7c5d2d4d7d5c2c3b8c6",
    "e2e3c7c5d2d4d7d5c2c4e7e6", "e2e3c7c5g1f3d7d5", "e2e4a7a6d2d4",
    "e2e4b7b6d2d4c8b7f1d3", "e2e4b7b6d2d4e7e6", "e2e4b8c6b1c3e7e5f1c4f8b4g1f3",
    "e2e4b8c6b1c3e7e5f2f4f8c5f4e5", "e2e4b8c6b1c3e7e5g1f3",
    "e2e4b8c6b1c3e7e5g2g3f8c5f1g2g8e7g1e2e8g8",
    "e2e4b8c6d2d4d7d5b1c3e7e5d4e5d5d4c3d5f7f5",
    "e2e4b8c6d2d4d7d5e4d5d8d5g1f3c8g4f1e2e8c8",
    "e2e4b8c6d2d4d7d5e4e5f7f6f2f4c8f5g1e2e7e6",
    "e2e4b8c6g1f3e7e5b1c3f7f5d2d4f5e4f3e5g8f6",
    "e2e4b8c6g1f3e7e5c2c3g8f6d2d4f6e4d4d5c6e7",
    "e2e4b8c6g1f3e7e5d2d4e5d4c2c3d4c3b1c3f8b4",
    "e2e4b8c6g1f3e7e5f1b5a7a6b5a4b7b5a4b3c6a5",
    "e2e4b8c6g1f3e7e5f1c4d7d6d2d4e5d4f3d4g8f6", "e2e4c7c5b1c3b8c6f2f4d7d6",
    "e2e4c7c5b1c3b8c6g1e2d7d6", "e2e4c7c5b1c3b8c6g1f3", "e2e4c7c5b1c3b8c6g2g3d7d6",
    "e2e4c7c5b1c3d7d6f2f4b8c6g1f3g7g6d2d4c5d4",
    "e2e4c7c5b1c3d7d6g1e2a7a6d2d4c5d4e2d4", "e2e4c7c5b1c3d7d6g1f3",
    "e2e4c7c5b1c3d7d6g2g3b8c6f1g2g7g6d2d3f8g7", "e2e4c7c5b1c3e7e6f2f4b8c6",
    "e2e4c7c5b1c3e7e6g1f3", "e2e4c7c5b1c3e7e6g2g3b8c6", "e2e4c7c5b2b3b7b6c1b2c8b7",
    "e2e4c7c5b2b4b7b6b4c5b6c5c2c3e7e5g1f3b8c6",
    "e2e4c7c5c2c3d7d5e4d5d8d5d2d4b8c6g1f3c8g4", "e2e4c7c5c2c3d7d6d2d4g8f6f2f3",
    "e2e4c7c5c2c3e7e5d2d3b8c6g2g3d7d5b1d2f7f5", "e2e4c7c5c2c3e7e5f1c4b8c6",
    "e2e4c7c5c2c3e7e5f2f4e5f4g1f3g7g5", "e2e4c7c5c2c3e7e5g1f3b8c6d2d4e5d4c3d4c5d4",
    "e2e4c7c5c2c3e7e6d2d4d7d5e4e5b8c6c1e3d8b6", "e2e4c7c5c2c3g7g6",
    "e2e4c7c5c2c3g8f6e4e5f6d5d2d4c5d4c3d4b8c6",
    "e2e4c7c5d2d4c5d4c2c3d4c3b1c3b8c6g1f3d7d6", "e2e4c7c5f1c4e7e6b1c3a7a6a2a4",
    "e2e4c7c5f2f4d7d5e4d5d8d5b1c3d5d8g1f3b8c6", "e2e4c7c5g1e2d7d6b1c3",
    "e2e4c7c5g1e2d7d6d2d4c5d4e2d4", "e2e4c7c5g1f3a7a6c2c3",
    "e2e4c7c5g1f3b8c6b1c3d7d6", "e2e4c7c5g1f3b8c6c2c3",
    "e2e4c7c5g1f3b8c6d2d3g7g6g2g3f8g7f1g2e7e6",
    "e2e4c7c5g1f3b8c6d2d4c5d4f3d4d7d5b1c3",
    "e2e4c7c5g1f3b8c6f1b5d8b6a2a4e7e6e1g1g8f6",
    "e2e4c7c5g1f3d7d6b1c3a7a6d2d4c5d4f3d4g8f6",
    "e2e4c7c5g1f3d7d6b2b4c5b4d2d4g8f6f1d3d6d5", "e2e4c7c5g1f3d7d6c2c3b8c6",
    "e2e4c7c5g1f3d7d6d2d4c5d4c2c3g8f6", "e2e4c7c5g1f3d7d6f1b5c8d7b5d7d8d7e1g1b8c6",
    "e2e4c7c5g1f3d7d6f1d3g8f6c2c3", "e2e4c7c5g1f3d8c7b1c3b8c6d2d4c5d4f3d4",
    "e2e4c7c5g1f3e7e6b1c3a7a6d2d4c5d4f3d4",
    "e2e4c7c5g1f3e7e6c2c3d7d5e4d5e6d5d2d4b8c6",
    "e2e4c7c5g1f3e7e6d2d3b8c6g2g3d7d5b1d2g8f6",
    "e2e4c7c5g1f3e7e6d2d4c5d4f3d4a7a6b1c3b7b5",
    "e2e4c7c5g1f3g7g6c2c3f8g7d2d4c5d4c3d4d7d5", "e2e4c7c5g1f3g7g6d2d4c5d4d1d4g8f6",
    "e2e4c7c5g1f3g8f6b1c3", "e2e4c7c5g1f3g8f6e4e5", "e2e4c7c5g2g3b8c6b1c3",
    "e2e4c7c5g2g3b8c6f1g2g7g6b1c3", "e2e4c7c6b1c3d7d5d2d4",
    "e2e4c7c6b1c3d7d5g1f3c8g4d2d4e7e6h2h3g4f3", "e2e4c7c6c2c4d7d5c4d5c6d5e4d5",
    "e2e4c7c6c2c4d7d5e4d5c6d5c4d5d8d5b1c3d5d6",
    "e2e4c7c6d2d3d7d5b1d2g7g6f2f4g8f6e4e5f6h5",
    "e2e4c7c6d2d4d7d5b1c3b7b5a2a3d5e4c3e4", "e2e4c7c6d2d4d7d5b1d2d5e4d2e4",
    "e2e4c7c6d2d4d7d5e4d5c6d5c2c3b8c6c1f4g8f6",
    "e2e4c7c6d2d4d7d5e4e5c8f5b1c3d8b6g1f3e7e6",
    "e2e4c7c6d2d4d7d5f2f3d5e4b1c3e4f3g1f3c8f5",
    "e2e4c7c6g1e2d7d5e4e5c6c5d2d4b8c6c2c3c8f5", "e2e4c7c6g1e2e7e5d2d4d7d6c2c4",
    "e2e4c7c6g1e2g7g6d2d4d7d5e4e5", "e2e4c7c6g1e2g8f6e4e5", "e2e4c7c6g1f3d7d5b1c3",
    "e2e4d7d5d2d4c7c6", "e2e4d7d5d2d4d5e4b1c3e7e5d4e5", "e2e4d7d5d2d4e7e6",
    "e2e4d7d5e4d5d8d5b1c3d5a5d2d4c7c6g1f3g8f6",
    "e2e4d7d5e4d5d8d5g1f3c8g4f1e2g8f6e1g1e7e6",
    "e2e4d7d5e4d5g8f6c2c4c7c6b1c3c6d5c4d5", "e2e4d7d5e4d5g8f6d2d4f6d5c2c4d5b4d1a4",
    "e2e4d7d5e4d5g8f6f1b5c8d7b5c4d7g4f2f3g4f5", "e2e4d7d6c2c4",
    "e2e4d7d6d2d4c7c5g1f3", "e2e4d7d6d2d4c7c6",
    "e2e4d7d6d2d4e7e5g1f3b8c6f1b5c8d7b1c3e5d4",
    "e2e4d7d6d2d4f7f5e4f5c8f5d1f3d8c8f1d3f5d3", "e2e4d7d6d2d4g7g6b1c3c7c6c1e3g8f6",
    "e2e4d7d6d2d4g8f6b1c3b8d7f2f4e7e5g1f3", "e2e4d7d6d2d4g8f6f1d3", "e2e4d7d6f2f4",
    "e2e4e7e5b1c3b8c6", "e2e4e7e5b1c3f8c5g1f3d7d6d2d4e5d4f3d4g8f6",
    "e2e4e7e5b1c3g8f6", "e2e4e7e5c2c3d7d5g1f3d5e4f3e5b8d7e5d7c8d7",
    "e2e4e7e5d2d3b8c6", "e2e4e7e5d2d4e5d4c2c3d4c3b1c3b8c6f1c4f8b4",
    "e2e4e7e5d2d4e5d4d1d4b8c6d4e3g8f6b1c3f8b4", "e2e4e7e5d2d4e5d4f1c4b8c6g1f3",
    "e2e4e7e5d2d4e5d4f2f4b8c6g1f3f8c5a2a3a7a5", "e2e4e7e5d2d4e5d4g1f3b8c6",
    "e2e4e7e5f1c4b8c6b1c3", "e2e4e7e5f1c4c7c6d2d4d7d5e4d5", "e2e4e7e5f1c4f7f5d2d3",
    "e2e4e7e5f1c4f8c5c2c3g8f6d2d4e5d4e4e5", "e2e4e7e5f1c4f8c5g1f3",
    "e2e4e7e5f1c4g8f6b1c3", "e2e4e7e5f1c4g8f6d2d3b8c6g1f3",
    "e2e4e7e5f1c4g8f6d2d4e5d4g1f3", "e2e4e7e5f1c4g8f6f2f4f6e4d2d3e4d6c4b3e5e4",
    "e2e4e7e5f2f4d7d5e4d5c7c6b1c3e5f4g1f3",
    "e2e4e7e5f2f4d8h4g2g3h4e7b1c3e5f4d2d4f4g3",
    "e2e4e7e5f2f4e5f4b1c3d8h4e1e2d7d5c3d5c8g4",
    "e2e4e7e5f2f4e5f4d1f3b8c6c2c3g8f6d2d4d7d5",
    "e2e4e7e5f2f4e5f4f1c4g8f6b1c3c7c6c4b3d7d5",
    "e2e4e7e5f2f4e5f4f1e2d7d5e4d5g8f6g1f3f8e7",
    "e2e4e7e5f2f4e5f4g1f3d7d5e4d5g8f6b1c3f6d5",
    "e2e4e7e5f2f4f8c5g1f3d7d5f3e5g8f6d2d4c5b6",
    "e2e4e7e5g1e2b8c6b1c3f8c5c3a4c5e7d2d4g8f6", "e2e4e7e5g1e2b8c6d2d4e5d4",
    "e2e4e7e5g1f3b8c6", "e2e4e7e5g1f3d7d5f3e5d8e7d2d4f7f6e5g4d5e4",
    "e2e4e7e5g1f3d7d6d2d4", "e2e4e7e5g1f3f7f5b1c3f5e4c3e4g8f6e4f6d8f6",
    "e2e4e7e5g1f3f7f5d2d4f5e4f3e5g8f6c1g5d7d6",
    "e2e4e7e5g1f3f7f5e4f5e5e4d1e2d8e7f3d4e7e5",
    "e2e4e7e5g1f3f7f5f1c4f5e4f3e5d7d5d1h5g7g6",
    "e2e4e7e5g1f3f7f5f3e5b8c6e5c6d7c6b1c3f8c5", "e2e4e7e5g1f3f7f6f3e5d8e7e5f3",
    "e2e4e7e5g1f3f8c5f3e5", "e2e4e7e5g1f3g8f6b1c3",
    "e2e4e7e5g1f3g8f6d2d4e5d4e4e5f6e4d1d4d7d5", "e2e4e7e5g1f3g8f6f1c4b8c6",
    "e2e4e7e5g1f3g8f6f3e5d7d6e5c4f6e4b1c3e4c3", "e2e4e7e6b1c3b8c6d2d4",
    "e2e4e7e6b1c3d7d5d2d4", "e2e4e7e6b2b3d7d5c1b2d5e4", "e2e4e7e6c2c4c7c5b1c3b8c6",
    "e2e4e7e6c2c4c7c5g1f3b8c6b1c3g8f6d2d4c5d4", "e2e4e7e6d1e2c7c5f2f4b8c6",
    "e2e4e7e6d2d3c7c5g1f3", "e2e4e7e6d2d3c7c5g2g3d7d5b1d2b8c6f1g2",
    "e2e4e7e6d2d3d7d5b1d2g8f6g2g3c7c5", "e2e4e7e6d2d4c7c5d4d5",
    "e2e4e7e6d2d4c7c5g1f3", "e2e4e7e6d2d4d7d5b1c3b8c6g1f3g8f6e4e5f6e4",
    "e2e4e7e6d2d4d7d5b1d2a7a6e4e5c7c5", "e2e4e7e6d2d4d7d5e4d5e6d5b1c3f8b4",
    "e2e4e7e6d2d4d7d5e4e5", "e2e4e7e6d2d4d7d5f2f3g8f6b1c3f8b4c1g5c7c5",
    "e2e4e7e6f2f4d7d5e4e5c7c5", "e2e4e7e6g1f3d7d5b1c3g8f6",
    "e2e4e7e6g1f3d7d5e4e5c7c5b2b4d5d4b4c5f8c5", "e2e4g7g6b1c3",
    "e2e4g7g6c2c4c7c5g1f3b8c6d2d4c5d4f3d4",
    "e2e4g7g6c2c4e7e5d2d4g8f6g1f3e5d4e4e5f8b4", "e2e4g7g6c2c4f8g7d2d4c7c5d4d5",
    "e2e4g7g6d2d4c7c6c2c4", "e2e4g7g6d2d4d7d6", "e2e4g7g6d2d4f8g7b1c3d7d6",
    "e2e4g7g6f2f4", "e2e4g7g6g1f3f8g7d2d4", "e2e4g8f6b1c3d7d5e4d5f6d5f1c4d5b6c4b3",
    "e2e4g8f6b1c3d7d5e4e5d5d4c3e2f6d7e5e6", "e2e4g8f6b1c3d7d6",
    "e2e4g8f6b1c3e7e5a2a3f8c5g1f3b8c6f1c4d7d6",
    "e2e4g8f6b1c3e7e5f1c4b8c6d2d3c6a5g1e2a5c4", "e2e4g8f6b1c3e7e5f2f4d7d5e4d5f6d5",
    "e2e4g8f6b1c3e7e5g1f3b8c6a2a3d7d5e4d5f6d5",
    "e2e4g8f6b1c3e7e5g2g3d7d5e4d5f6d5f1g2d5c3", "e2e4g8f6b1c3e7e6d2d4d7d5",
    "e2e4g8f6e4e5f6d5b1c3d5c3b2c3d7d5d2d4c7c5",
    "e2e4g8f6e4e5f6d5c2c4d5b6c4c5b6d5b1c3e7e6",
    "e2e4g8f6e4e5f6d5d2d4d7d6c2c4d5b6e5d6c7d6", "e2e4g8f6e4e5f6d5g1f3d7d6d2d4",
    "e2e4g8f6e4e5f6e4", "e2e4g8f6e4e5f6g8", "e2e4g8f6f1c4f6e4c4f7e8f7d1h5f7g8",
    "e2e4g8f6g1f3f6e4f3e5e4f6", "e2e4h7h6d2d4", "f2f4e7e5e2e4",
    "f2f4e7e5f4e5d7d6e5d6f8d6g1f3b8c6d2d4g8f6", "g1f3b7b5e2e4",
    "g1f3b7b6c2c4c8b7d2d4", "g1f3b8c6d2d4d7d5c2c4",
    "g1f3c7c5g2g3b8c6f1g2d7d5d2d3e7e5e1g1g8f6", "g1f3c7c5g2g3d7d5f1g2b8c6",
    "g1f3c7c5g2g3g8f6f1g2d7d5e1g1", "g1f3c7c6c2c4d7d5", "g1f3c7c6d2d4d7d5",
    "g1f3c7c6e2e4", "g1f3c7c6g2g3d7d5", "g1f3d7d5b2b3c7c5c2c4d5d4",
    "g1f3d7d5b2b3c7c5e2e3", "g1f3d7d5b2b3c8g4c1b2b8d7", "g1f3d7d5b2b4c8f5d2d4e7e6",
    "g1f3d7d5b2b4c8f5e2e3e7e6", "g1f3d7d5b2b4c8f5g2g3b8d7",
    "g1f3d7d5c2c4c7c6b2b3g8f6c1b2c8f5g2g3e7e6",
    "g1f3d7d5c2c4c7c6d2d4e7e6b1c3d5c4a2a4f8b4", "g1f3d7d5c2c4c7c6e2e3c8f5b2b3e7e6",
    "g1f3d7d5c2c4c7c6g2g3g8f6b2b3", "g1f3d7d5c2c4d5c4b1a3c7c5a3c4b8c6b2b3",
    "g1f3d7d5c2c4d5d4a2a3a7a5e2e3", "g1f3d7d5c2c4d5d4b2b4a7a5b4b5c7c5",
    "g1f3d7d5c2c4d5d4d2d3c7c5", "g1f3d7d5c2c4d5d4e2e3b8c6e3d4c6d4f3d4d8d4",
    "g1f3d7d5c2c4d5d4g2g3b8c6f1g2e7e5d2d3g8f6",
    "g1f3d7d5c2c4e7e6d2d4c7c5c4d5e6d5g2g3b8c6", "g1f3d7d5c2c4e7e6g2g3c7c5",
    "g1f3d7d5e2e3c7c5b2b3g7g6c1b2g8f6", "g1f3d7d5e2e3c7c5c2c4e7e6d2d4",
    "g1f3d7d5e2e3c7c5d2d4e7e6b2b3", "g1f3d7d5e2e3g8f6b2b3c8f5c1b2",
    "g1f3d7d5e2e3g8f6c2c4c7c6", "g1f3d7d5g2g3b8c6c2c4",
    "g1f3d7d5g2g3c7c6d2d3g8f6b1d2c8g4", "g1f3d7d5g2g3c7c6f1g2c8f5d2d3g8f6e1g1",
    "g1f3d7d5g2g3g8f6c2c4c7c6", "g1f3d7d5g2g3g8f6f1g2b8c6e1g1e7e5d2d3f8e7",
    "g1f3d7d6c2c4", "g1f3e7e6d2d4g8f6c1f4b7b6e2e3c8b7",
    "g1f3e7e6d2d4g8f6c1g5c7c5c2c3h7h6g5f6d8f6",
    "g1f3e7e6d2d4g8f6c2c4b7b6a2a3c7c5e2e3d7d5", "g1f3e7e6d2d4g8f6e2e3b7b6",
    "g1f3e7e6d2d4g8f6g2g3b7b6f1g2c8b7", "g1f3e7e6g2g3g8f6", "g1f3f7f5d2d4d7d6g2g3",
    "g1f3f7f5d2d4e7e6g2g3", "g1f3f7f5d2d4g7g6g2g3f8g7f1g2g8f6",
    "g1f3f7f5d2d4g8f6g2g3e7e6f1g2f8e7c2c4e8g8", "g1f3g7g6e2e4",
    "g1f3g7g6g2g3f8g7f1g2", "g1f3g8f6b2b3g7g6c1b2f8g7c2c4d7d6",
    "g1f3g8f6c2c4e7e6d2d4b7b6", "g1f3g8f6d2d4d7d5c2c4c7c6",
    "g1f3g8f6g2g3b7b5f1g2c8b7e1g1e7e6d2d3d7d5",
    "g1f3g8f6g2g3b7b6f1g2c8b7e1g1c7c5d2d3e7e6", "g1f3g8f6g2g3e7e6f1g2b7b6e1g1c8b7",
    "g1f3g8f6g2g3g7g6c2c4f8g7f1g2e8g8e1g1",
    "g1f3g8f6g2g3g7g6f1g2f8g7e1g1e8g8c2c4c7c5", "g2g3c7c5", "g2g3d7d5g1f3",
    "g2g3e7e5c2c4b8c6f1g2f7f5b1c3g8f6d2d3g7g6",
    "g2g3e7e5c2c4d7d6f1g2b8c6b1c3c8e6c3d5g7g6",
    "g2g3e7e5c2c4g8f6b1c3d7d5c4d5f6d5f1g2",
    "g2g3e7e5c2c4g8f6f1g2c7c6b1c3d7d5c4d5c6d5", "g2g3f7f5", "g2g3g7g6", "g2g3g8f6",
    "g2g4a7a5f1g2a8a6d2d4d7d5", "g2g4d7d5f1g2c7c6h2h3e7e5d2d4b8d7d4e5d7e5",
};

// Candidate moves of one lookup.
std::int32_t CandidateFrom[BookCandidateCapacity];
std::int32_t CandidateTo[BookCandidateCapacity];
std::int32_t CandidateCount;

// Whether every move of `game` that starts at offset first, first + 8, ...
// equals one of the moves of `line` starting at the same offsets: the moves
// of one colour, compared in any order.
bool ColourMovesMatch(std::string_view game, std::string_view line, std::size_t first) {
    for (std::size_t g = first; g < game.size(); g += 8) {
        const std::string_view move = game.substr(g, 4);
        bool found = false;
        for (std::size_t p = first; p < line.size() && !found; p += 8)
            found = line.substr(p, 4) == move;
        if (!found) return false;
    }
    return true;
}

}  // namespace

void FillOpeningBook() {
    for (int i = 0; i < OpeningBookLines; ++i) {
        std::strncpy(OpeningBook[i], BookLines[i], BookLineCapacity);
        OpeningBook[i][BookLineCapacity] = '\0';
    }
}

bool BookLookup(std::string_view movesSoFar, std::int32_t& from, std::int32_t& to) {
    const std::size_t length = movesSoFar.size();
    CandidateCount = 0;
    for (const char* stored : OpeningBook) {
        const std::string_view line(stored);
        const std::string_view prefix = line.substr(0, length);
        if (!ColourMovesMatch(movesSoFar, prefix, 0)) continue;
        if (length >= 5 && !ColourMovesMatch(movesSoFar, prefix, 4)) continue;
        if (line.size() < length + 4) continue;
        const int candidateFrom = ParseSquare(line.substr(length, 2));
        const int candidateTo = ParseSquare(line.substr(length + 2, 2));
        if (candidateFrom < 0 || candidateTo < 0 || CandidateCount >= BookCandidateCapacity) continue;
        CandidateFrom[CandidateCount] = candidateFrom;
        CandidateTo[CandidateCount] = candidateTo;
        ++CandidateCount;
    }
    if (CandidateCount == 0) return false;
    const int drawn = RandomBelow(CandidateCount);
    from = CandidateFrom[drawn];
    to = CandidateTo[drawn];
    return true;
}

int BookCandidateCount() { return CandidateCount; }

void BookCandidate(int index, std::int32_t& from, std::int32_t& to) {
    from = CandidateFrom[index];
    to = CandidateTo[index];
}
