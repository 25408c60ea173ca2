namespace plenvik { int simPlaceholder() { return 0; } }
