/* An engine library that lacks most of the engine's functions, and its
 * version among them. */
__attribute__((visibility("default"))) int PEOpenEngine(void) { return 1; }
__attribute__((visibility("default"))) void PECloseEngine(void) {}
