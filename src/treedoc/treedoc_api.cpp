// Placeholder until the library body lands.
