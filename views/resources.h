#pragma once

// Registers the compiled-in icons (they live in a static library, so the
// program has to ask for them once).
void initTarvelResources();
