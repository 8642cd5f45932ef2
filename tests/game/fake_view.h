// A board view and an owner that record what the model showed and asked for, for tests and
// benchmarks.
#pragma once

#include "game/board_model.h"

#include <QString>

#include <vector>

namespace marvolen::test {

class FakeView : public game::BoardView, public game::BoardEvents {
  public:
    void setHoleShown(int, bool) override { ++elementChanges; }
    void setMarbleShown(int p, bool shown) override {
        ++elementChanges;
        marbleShown[std::size_t(p)] = shown;
    }
    /// The marbles shown on these holes.
    game::Position shownOn(game::Position::Mask holes) const {
        game::Position position(holes, 0);
        for (int p = 0; p < 49; ++p)
            if (position.hole(p))
                position.setMarble(p, marbleShown[std::size_t(p)]);
        return position;
    }
    void moveHole(int p, int left, int top) override { holeAt[std::size_t(p)] = {left, top}; }
    void moveMarble(int p, int left, int top) override { marbleAt[std::size_t(p)] = {left, top}; }
    void showDigits(game::Display d, const std::array<int, 4>& cells) override {
        QString s;
        for (int c : cells)
            s += c == 10 ? QLatin1Char(' ') : QChar(u'0' + c);
        (d == game::Display::Time ? timeDisplay : countDisplay) = s;
    }
    void setMarblePicture(int id) override { marblePicture = id; }
    void setHolePicture(int boardPicture) override { holePicture = boardPicture; }
    void setBoardPicture(int id) override { boardPicture = id; }
    void showBoard() override { boardShown = true; }
    void setClockRunning(bool running) override {
        clockRunning = running;
        events.push_back(running ? "clock on" : "clock off");
    }
    void playSound(int id) override {
        if (!soundOn)
            return;
        sounds.push_back(id);
        events.push_back("sound " + std::to_string(id));
    }
    void showGameOver() override {
        events.push_back("message");
        toldAtMessage = positionsTold;
    }
    void resetButtonColours() override { events.push_back("colours"); }
    void showChampions() override { events.push_back("champions"); }
    void positionChanged() override { ++positionsTold; }

    std::array<bool, 49> marbleShown{};
    std::array<std::pair<int, int>, 49> holeAt{};
    std::array<std::pair<int, int>, 49> marbleAt{};
    QString timeDisplay = "    ";
    QString countDisplay = "    ";
    bool clockRunning = false;
    bool soundOn = true;
    int marblePicture = 0;
    int holePicture = 0;
    int boardPicture = 0;
    bool boardShown = false;
    std::vector<int> sounds;
    std::vector<std::string> events;
    int elementChanges = 0;
    int positionsTold = 0;  ///< changes of position the model told its owner of
    int toldAtMessage = -1; ///< positionsTold when the end-of-game message came
};

} // namespace marvolen::test
