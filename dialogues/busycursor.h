#pragma once

// The busy cursor over the whole program while it is at work and takes no
// input: from Show() until the object is destroyed. The cursor reaches the
// screen at once, though the program goes on working without returning to
// its event loop: the window system's queue is flushed, input left waiting.
//   {
//       BusyCursor busy;
//       busy.Show();  // e.g. when a sweep tells it is slow
//       ...
//   }  // the cursor as before
class BusyCursor {
public:
    BusyCursor() = default;
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

    void Show();
    bool Shown() const { return shown_; }

private:
    bool shown_ = false;
};
