// The technician's view: the "Advanced" group, hidden in the designed
// window, shown on request. It holds the image itself in the hex view `Rom`
// beside the function list and OSC, CHANNEL and CLK.
//
// `Rom` edits the image in place, so the window keeps the two views in step:
// leaving `Rom` decodes the image into the parameter controls and encodes
// them back (ConfigController::ImageEdited), after which the image shows
// exactly what a Write sends. The image stays 64 bytes: `Rom` has a fixed
// data size, no insert mode and no undo step before its 64 bytes
// (TRomImageStore), and any other size is given back 64 at the next access.
//
// The tool buttons never take the focus, so "Write " can be clicked while
// `Rom` still holds it: the edit is taken over first, or the encoding of the
// controls would silently overwrite the bytes just typed.
#include "app/unit1.h"
#include "hexview/hexviewex.h"
#include "widgets/tnvgroup.h"
#include "widgets/tnvgroupbar.h"
#include "widgets/tnvtoolbutton.h"

void TForm1::ShowAdvanced() {
  // The view's one recorded step is the start-up sizing to 64 bytes; undoing
  // it would take the image away, so the technician's undo starts after it.
  Rom->ResetUndo();
  Rom->OnExit = [this](TObject* sender) { RomExit(sender); };
  BtnEdit->OnClick = [this](TObject* sender) {
    if (Rom->Focused()) RomExit(Rom);
    BtnEditClick(sender);
  };
  NvGroup3->SetVisible(true);
}

void TForm1::RomExit(TObject* /*Sender*/) {
  controller_.ImageEdited();
}
