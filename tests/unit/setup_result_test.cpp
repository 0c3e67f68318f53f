// What the player is told when DirectX does not install, and which failures offer a retry.
#include <gtest/gtest.h>

#include "DirectXSetup.h"
#include "InstallStage.h"
#include "SetupResult.h"

namespace {

using Transcript = std::vector<std::string>;

TEST_F(InstallTest, ASetupResultAsksAgainOnlyOnOkInABoxThatOffersIt) {
    MessageOwner = menu_;
    for (const ExpectedSetupFailure& failure : SetupFailuresWithBoxes) {
        for (int answer : {IDOK, IDCANCEL}) {
            transcript_.clear();
            AnswerBoxes({answer});
            EXPECT_EQ(failure.offersRetry && answer == IDOK, ShowSetupResult(failure.code))
                << failure.code << " answered " << answer;
            EXPECT_EQ(Transcript({failure.label}), transcript_) << failure.code;
        }
    }
    transcript_.clear();
    for (int code : {DSETUPERR_NOCOPY, -10, DSETUPERR_SUCCESS, DSETUPERR_SUCCESS_RESTART, 2, 98})
        EXPECT_EQ(0, ShowSetupResult(code)) << code;
    EXPECT_EQ(Transcript(), transcript_) << "codes without a box showed one";
}

TEST_F(InstallTest, AFailedSetupShowsItsBoxAndOnlyTheRetryBoxesTryAgain) {
    for (const ExpectedSetupFailure& failure : SetupFailuresWithBoxes) {
        transcript_.clear();
        Transcript expected = {"ask DirectX 6", "measure", "hide 0",
                               "setup",         "show 0",  failure.label};
        if (failure.offersRetry) {
            // The retry measures the room again before it calls the setup again.
            ScriptSetupResults({failure.code, DSETUPERR_SUCCESS});
            AnswerBoxes({IDYES, IDOK, IDNO, IDNO});
            EXPECT_EQ(1, Install()) << failure.code;
            expected.insert(expected.end(), {"measure", "hide 0", "setup", "show 0", "ask Indeo",
                                             "ask DirectX Media"});
        } else {
            ScriptSetupResults({failure.code});
            AnswerBoxes({IDYES, IDOK});
            EXPECT_EQ(0, Install()) << failure.code;
        }
        EXPECT_EQ(expected, transcript_) << failure.code;
    }
}

TEST_F(InstallTest, NoCopyOrAnUnknownSetupResultEndsTheCommandWithoutABox) {
    for (int code : {DSETUPERR_NOCOPY, -10, 2, 98}) {
        transcript_.clear();
        ScriptSetupResults({code});
        AnswerBoxes({IDYES});
        EXPECT_EQ(0, Install()) << code;
        EXPECT_EQ(Transcript({"ask DirectX 6", "measure", "hide 0", "setup", "show 0"}),
                  transcript_)
            << code;
    }
}

} // namespace
