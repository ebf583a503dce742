#pragma once
// The application: sets up the toolkit the way every window expects it and runs the
// launcher until it ends.

class CZephyraneApp
{
public:
    // Runs the launcher modally; returns false when it has ended, so the program ends too.
    bool InitInstance();
};
