#include "core/globals.h"

namespace r7k {

namespace {

// The six texts of the About box, in both languages, by About_text index.
const Bilingual about_texts[] = {
    {QStringLiteral("NorvikTALVEN电子有限公司  R7K 系列对讲机编程软件"),
     QStringLiteral("Norvik TALVEN Electronic Co.,Ltd. R7K series program software")},
    {QStringLiteral("\n版权所有 (C) NorvikTALVEN电子有限公司"),
     QStringLiteral("\nCopyright (C) Norvik TALVEN Electronic Co.,Ltd.")},
    {QStringLiteral("本软件由 NorvikTALVEN电子有限公司 设计。"),
     QStringLiteral("This software is designed by Norvik TALVEN Electronic Co.,Ltd.")},
    {QStringLiteral("警告：本软件受版权法和国际条约保护。未经授权擅自复制或传播本软件的全部或部分，"
                    "将受到严厉的民事及刑事制裁，并将在法律许可的范围内受到最大程度的起诉。"),
     QStringLiteral(
         "Warning: this computer program is protected by copyright law and international "
         "treaties. Unauthorized reproduction or distribution of this program, or any "
         "portion of it, may result in severe civil and criminal penalties, and will be "
         "prosecuted to the maximum extent possible under the law.")},
    {QStringLiteral("确定"), QStringLiteral("Confirm")},
    {QStringLiteral("系统信息(&S)..."), QStringLiteral("System Information(&S)...")},
};

} // namespace

void Set_about_texts()
{
    for (std::size_t i = 0; i < About_text.size(); ++i)
        About_text[i] = about_texts[i].text();
    About_text[1].prepend(Version);
}

} // namespace r7k
