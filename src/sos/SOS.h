// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HoldToConfirm.h"
#include "kit/controllers/TabScreen.h"

#include <memory>

namespace kit {
class Button;
class ImageView;
class ProgressView;
} // namespace kit

namespace sos {

// The SOS tab: holding its help button for 3 seconds brings up the emergency
// card over the whole window; letting go earlier cancels. No call is placed.
class SOS final : public kit::TabScreen {
    Q_OBJECT

public:
    SOS();
    ~SOS() override;

    void helpButtonPressed();
    void helpButtonCanceled();
    void callHelp();
    void close() override;

    kit::Button* helpButton() const { return _helpButton; }
    kit::ImageView* image() const { return _image; }
    kit::ProgressView* progressBar() const { return _progressBar; }

protected:
    void loadView() override;

private:
    kit::Button* _helpButton = nullptr;
    kit::ImageView* _image = nullptr;
    kit::ProgressView* _progressBar = nullptr;
    std::unique_ptr<HoldToConfirm> _hold;
};

} // namespace sos
