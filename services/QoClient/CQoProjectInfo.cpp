#include "services/QoClient/CQoProjectInfo.h"

#include "services/project/CTeskProject.h"

CString CQoProjectInfo::AoiName() { return CTeskProject::Current().GetDescriptor().currentAoi; }

CString CQoProjectInfo::Path() { return CTeskProject::Current().GetPath().string(); }

bool CQoProjectInfo::IsUvoProject() { return CTeskProject::Current().GetDescriptor().uvo; }
