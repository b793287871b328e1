// The conversation with the cashier: the offer, the answer buttons (or Enter and Esc, or the
// automatic answer), the player's reply, the payment, and the hanging sign that chooses between
// the two books.
#include <algorithm>
#include <string>

#include "engine/helpers.h"
#include "engine/sound.h"
#include "engine/text.h"
#include "hub/hub.h"

namespace vepa {

namespace {

struct Captions {
  std::string Left, Right;
};

// Button captions by phrase kind (1 yes/no, 2 want/don't, 3 play/won't, 4..6 leave/stay).
const Captions* CaptionsForKind(int kind) {
  static const Captions yesNo{Cp1251("ДА"), Cp1251("НЕТ")};
  static const Captions want{Cp1251("ХОЧУ"), Cp1251("НЕ ХОЧУ")};
  static const Captions play{Cp1251("ИГРАЮ"), Cp1251("НЕ БУДУ")};
  static const Captions leave{Cp1251("УХОЖУ"), Cp1251("ОСТАЮСЬ")};
  switch (kind) {
    case 1:
      return &yesNo;
    case 2:
      return &want;
    case 3:
      return &play;
    case 4:
    case 5:
    case 6:
      return &leave;
    default:
      return nullptr;  // other kinds keep the captions of the last question
  }
}

// The sign's two faces: the journal and the settings book.
constexpr int kJournalFace = 34;
constexpr int kSettingsFace = 36;
constexpr int kSignButtonSize = 68;
constexpr int kSignButtonStep = 70;

}  // namespace

void HubScene::SetCaptions(int kind) {
  if (const Captions* c = CaptionsForKind(kind)) {
    ButtonCaptionLeft = c->Left;
    ButtonCaptionRight = c->Right;
  }
}

void HubScene::ConversationStep() {
  switch (HubState) {
    case 1:  // the sign is down: wait for the player's choice
      if (TabletState == 5)
        HubState = 0;
      else if (TabletState == 4)
        HubState = 2;
      break;

    case 2: {  // the cashier names the offer
      const int item = g.SelectedItem;
      if (item == hub::DoorHandle) PhraseVariant = g.Random(3);
      const int phrase = ItemPhrase(item);
      if (phrase > 0) SayCashier(phrase);
      if (item == hub::Lamp) {
        LampFlicker = 5;
        PlaySceneSound(g, "Lamp01", 13000);
      }
      PlayerSpeaking = 0;
      HubState = 3;
      break;
    }

    case 3: {  // the phrase has ended: act on its kind
      if (HostSpeaking != 0) break;
      const PhraseRecord& r = g.SpeechRecord;
      // An offer whose scene this build does not have is only talked about, whatever its
      // record says: nothing is asked and nothing is paid.
      if (r.Kind == 0 || !SceneAvailable(g.SelectedItem)) {
        HubState = 0;
      } else if (r.Price > 0 && r.Price > g.Money) {
        SayPlayer(r.Kind == 2 ? 16 : 15);  // not enough money
        PlayerSpeaking = 1;
        Answer = 1;
        HubState = 8;
      } else if (r.Kind == 7) {
        HubState = 9;
      } else {
        if (g.AutoAnswer == 1) {
          HubState = 7;
        } else {
          SetCaptions(r.Kind);
          HubState = 4;
        }
        ButtonAlpha = 0;
        Answer = 0;
      }
      break;
    }

    case 4:
    case 5: {  // the buttons fade in and wait
      if (ButtonAlpha < 250) {
        ButtonAlpha += 50;
      } else if (HubState == 4) {
        ButtonAlpha = 256;
        HubState = 5;
      }
      const int code = PointerCode();
      if (g.ClickState == 1 && g.HandFrame == 1 &&
          (code == hub::LeftButton || code == hub::RightButton)) {
        Answer = code == hub::LeftButton ? 0 : 1;
        HubState = 6;
        PlayCommonSound(g, "Boom03", 11000);
      }
      if (EnterDown == 1) {  // Enter always means the left answer
        Answer = 0;
        HubState = 6;
        PlayCommonSound(g, "Boom03", 11000);
      }
      if (EscDown == 1 && HubState == 5) {  // Esc the right one, once the buttons are up
        Answer = 1;
        HubState = 6;
        PlayCommonSound(g, "Boom03", 11000);
      }
      break;
    }

    case 6:  // the buttons fade out
      if (ButtonAlpha > 0) {
        ButtonAlpha -= 50;
      } else {
        ButtonAlpha = 0;
        HubState = 7;
      }
      break;

    case 7: {  // the player replies
      const int kind = g.SpeechRecord.Kind;
      if (kind >= 1 && kind <= 3)
        SayPlayer(2 * kind - 1 + Answer);
      else if (kind >= 4 && kind <= 6)
        SayPlayer(Answer == 1 ? 10 : kind + 3);
      PlayerSpeaking = 1;
      HubState = 8;
      break;
    }

    case 8:  // the reply has ended
      if (HostSpeaking == 0) HubState = Answer == 1 ? 0 : 9;
      break;

    default:
      break;
  }
}

void HubScene::DrawAnswerButtons() {
  if (HubState < 4 || HubState > 6) return;
  const Image* button = g.layer.FindImage(1, "Button01");
  const int leftPattern = (HubState == 6 && Answer == 0) ? 1 : 0;
  const int rightPattern = (HubState == 6 && Answer == 1) ? 1 : 0;
  auto rect = [](const hub::ButtonBox& b) { return Rect{b.Left, b.Top, b.Right, b.Bottom}; };
  g.layer.DrawPatternAlpha(button, leftPattern, rect(hub::LeftButtonBox), ButtonAlpha);
  g.layer.DrawPatternAlpha(button, rightPattern, rect(hub::RightButtonBox), ButtonAlpha);
  if (ButtonAlpha > 100) {
    // The words grow as the buttons brighten.
    const int s = (ButtonAlpha - 100) / 12 + 1;
    const int y = hub::ButtonCaptionY - s / 2;
    DrawTextCentered(g, hub::LeftButtonBox.CentreX(), y, s, ButtonCaptionLeft, 0, s);
    DrawTextCentered(g, hub::RightButtonBox.CentreX(), y, s, ButtonCaptionRight, 0, s);
  }
}

void HubScene::AcceptanceStep() {
  if (HubState != 9 || g.FadeMode != 0) return;
  // The price was checked against the money when the offer ended; only the game-over phrase
  // skips that check, so the money is kept from wrapping below zero here.
  g.Money = static_cast<uint16_t>(std::max(0, g.Money - g.SpeechRecord.Price));
  HubState = 0;
  switch (g.SelectedItem) {
    case hub::DoorHandle:  // leaving: the cashier says goodbye, and that phrase runs like an offer
      HubState = 2;
      g.SelectedItem = hub::LeaveGame;
      break;
    case hub::Battery:
      g.BatteryCharge = FullBattery;
      break;
    case hub::TicketStack:
      ++g.Tickets;
      break;
    case hub::TipJar:  // paid, nothing more
      break;
    default: {
      const int scene = TargetScene(g.SelectedItem, TabletChoice);
      if (scene >= 0 && g.GetScene(scene)) {
        HubState = 9;  // wait for the closing transition, then open the scene
        g.FadeMode = 1;
        g.FadeProgress = 0;
      }
      // An item that leads nowhere returns to the idle kiosk.
      break;
    }
  }
}

void HubScene::ChoiceSign() {
  switch (TabletState) {
    case 1:  // two buttons: the journal and the settings book
      TabletChoice = 0;
      TabletState = 2;
      PlaySceneSound(g, "Tabl01", 11000);
      break;
    case 2:
      if (TabletDrop < 90)
        TabletDrop += 10;
      else
        TabletState = 3;
      break;
    case 3: {
      TabletLeft = 320 - (2 * kSignButtonStep - 1) / 2;
      if (g.ClickState == 1 && g.HandFrame == 1) {
        for (int i = 0; i < 2; ++i) {
          const int left = TabletLeft + kSignButtonStep * i;
          if (left < g.MouseX && g.MouseX < left + kSignButtonSize &&
              TabletDrop - 32 < g.MouseY + 20 && g.MouseY + 20 < TabletDrop + 36) {
            TabletChoice = i;
            TabletState = 4;
            PlaySceneSound(g, "Tabl02", 11000);
          }
        }
      }
      // Esc, a right press or a left press below the sign sends it back up.
      if (EscDown == 1 || (g.ClickState == 3 && g.HandFrame == 0) ||
          (g.ClickState == 1 && g.MouseY > 120)) {
        TabletState = 5;
        g.ClickState = 0;
        g.HandFrame = 0;
      }
      if (TabletState > 3) PlaySceneSound(g, "Tabl02", 11000);
      break;
    }
    case 4:
    case 5:
      if (TabletDrop > 0)
        TabletDrop -= 10;
      else
        TabletState = 0;
      break;
    default:
      break;
  }

  if (TabletState > 1) {
    g.layer.Draw(3, "Ksk01", 0, 105, TabletDrop - 56);
    for (int i = 0; i < 2; ++i) {
      const int left = TabletLeft + kSignButtonStep * i;
      g.layer.Draw(3, "Ksk03", 0, left, TabletDrop - 32);
      g.layer.Draw(3, "Ksk02", i == 0 ? kJournalFace : kSettingsFace, left + 4, TabletDrop - 28);
    }
  }
  g.layer.Draw(3, "Ksk04", 0, 95, 0);
  g.layer.Draw(3, "Ksk05", 0, 106, TabletDrop + 44);
}

}  // namespace vepa
