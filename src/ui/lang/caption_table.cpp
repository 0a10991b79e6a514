#include "ui/lang/caption_table.h"

namespace mmx {

PrintoutCaptions CaptionTable::printout() const {
    PrintoutCaptions p;
    p.Frame1_0 = Frame1_0;
    p.Frame1_1 = Frame1_1;
    p.Lb_Message_File = Lb_Message_File;
    p.Lb_Message_Time_0 = Lb_Message_Time_0;
    p.Lb_Message_Time_1 = Lb_Message_Time_1;
    p.Lb_Message_Size_0 = Lb_Message_Size_0;
    p.Lb_Message_Size_1 = Lb_Message_Size_1;
    p.Lb_Message_Sample_0 = Lb_Message_Sample_0;
    p.Lb_Message_Sample_1 = Lb_Message_Sample_1;
    p.Lb_Trigger_Ms = Lb_Trigger_Ms;
    p.Lb_Trigger_Time_0 = Lb_Trigger_Time_0;
    p.Lb_Trigger_Time_1 = Lb_Trigger_Time_1;
    p.Lb_Trigger_Zones_0 = Lb_Trigger_Zones_0;
    p.Lb_Total = Lb_Total;
    return p;
}

}  // namespace mmx
