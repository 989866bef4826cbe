<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ar" sourcelanguage="en">
<context>
    <name>player::StatusText</name>
    <message>
        <source>Ready</source>
        <translation>جاهز</translation>
    </message>
    <message>
        <source>Connecting…</source>
        <translation>جارٍ الاتصال…</translation>
    </message>
    <message>
        <source>Buffering %1%</source>
        <translation>جارٍ التحميل %1%</translation>
    </message>
    <message>
        <source>Playing</source>
        <translation>قيد التشغيل</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>متوقف مؤقتًا</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>متوقف</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>انتهى</translation>
    </message>
    <message>
        <source>The stream ended early</source>
        <translation>انقطع البث قبل نهايته</translation>
    </message>
    <message>
        <source>File not found on the server</source>
        <translation>الملف غير موجود على الخادم</translation>
    </message>
    <message>
        <source>The server refused the connection</source>
        <translation>رفض الخادم الاتصال</translation>
    </message>
    <message>
        <source>Unknown server address</source>
        <translation>عنوان الخادم غير معروف</translation>
    </message>
    <message>
        <source>The server's certificate is not trusted</source>
        <translation>شهادة الخادم غير موثوقة</translation>
    </message>
    <message>
        <source>This file cannot be played</source>
        <translation>لا يمكن تشغيل هذا الملف</translation>
    </message>
    <message>
        <source>The player cannot start</source>
        <translation>تعذّر بدء المشغّل</translation>
    </message>
    <message>
        <source>Network error</source>
        <translation>خطأ في الشبكة</translation>
    </message>
    <message>
        <source>Connecting… %1 s</source>
        <translation>جارٍ الاتصال… %1 ث</translation>
    </message>
    <message>
        <source>The server is too slow to play this file</source>
        <translation>الخادم أبطأ من أن يُشغَّل هذا الملف</translation>
    </message>
    <message>
        <source>%1 · %2×</source>
        <translation>%1 · ×%2</translation>
    </message>
    <message>
        <source>The server refuses access to the file</source>
        <translation>الخادم يمنع الوصول إلى الملف</translation>
    </message>
    <message>
        <source>The server failed</source>
        <translation>تعطّل الخادم</translation>
    </message>
    <message>
        <source>The server&apos;s certificate has expired</source>
        <translation>انتهت صلاحية شهادة الخادم</translation>
    </message>
    <message>
        <source>The server&apos;s certificate is self-signed</source>
        <translation>شهادة الخادم موقَّعة ذاتيًا</translation>
    </message>
    <message>
        <source>The server&apos;s certificate is for another address</source>
        <translation>شهادة الخادم لعنوان آخر</translation>
    </message>
    <message>
        <source>%1 · no sound output</source>
        <translation>%1 · لا مخرج للصوت</translation>
    </message>
    <message>
        <source>%1 · sound only, the picture is too large</source>
        <translation>%1 · الصوت وحده، فالصورة أكبر من أن تُعرض</translation>
    </message>
</context>
<context>
    <name>player::PlayerActions</name>
    <message>
        <source>Speed</source>
        <translation>السرعة</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>إيقاف</translation>
    </message>
    <message>
        <source>Back 10 seconds</source>
        <translation>رجوع 10 ثوانٍ</translation>
    </message>
    <message>
        <source>Forward 10 seconds</source>
        <translation>تقديم 10 ثوانٍ</translation>
    </message>
    <message>
        <source>Back 5 seconds</source>
        <translation>رجوع 5 ثوانٍ</translation>
    </message>
    <message>
        <source>Forward 5 seconds</source>
        <translation>تقديم 5 ثوانٍ</translation>
    </message>
    <message>
        <source>Back 1 minute</source>
        <translation>رجوع دقيقة</translation>
    </message>
    <message>
        <source>Forward 1 minute</source>
        <translation>تقديم دقيقة</translation>
    </message>
    <message>
        <source>Quieter</source>
        <translation>خفض الصوت</translation>
    </message>
    <message>
        <source>Louder</source>
        <translation>رفع الصوت</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>إيقاف مؤقت</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>تشغيل</translation>
    </message>
    <message>
        <source>Unmute</source>
        <translation>إلغاء كتم الصوت</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>كتم الصوت</translation>
    </message>
    <message>
        <source>Leave full screen</source>
        <translation>الخروج من ملء الشاشة</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>ملء الشاشة</translation>
    </message>
    <message>
        <source>Slower</source>
        <translation>أبطأ</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>أسرع</translation>
    </message>
    <message>
        <source>Normal speed</source>
        <translation>السرعة العادية</translation>
    </message>
    <message>
        <source>Previous episode</source>
        <translation>الحلقة السابقة</translation>
    </message>
    <message>
        <source>Next episode</source>
        <translation>الحلقة التالية</translation>
    </message>
</context>
<context>
    <name>player::ControlBar</name>
    <message>
        <source>Position</source>
        <translation>موضع التشغيل</translation>
    </message>
    <message>
        <source>Elapsed and total time</source>
        <translation>الوقت المنقضي والمدة الكاملة</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>مستوى الصوت</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1٪</translation>
    </message>
    <message>
        <source>What the player is doing</source>
        <translation>حالة المشغّل</translation>
    </message>
</context>
<context>
    <name>player::PlayerWidget</name>
    <message>
        <source>Video player</source>
        <translation>مشغّل الفيديو</translation>
    </message>
</context>
</TS>
