#include "playertexts.h"

#include "uitexttable.h"

#include <array>

namespace {

using PlayerTextRow = std::array<const char16_t*, kPlayerTextCount>;

// One row per language, in the order of the design's table; columns follow
// PlayerTextId. nullptr leaves a text to English.
constexpr PlayerTextRow kPlayerTexts[kLanguageCount] = {
    // 0 English
    {u"Snapshot saved", u"Continuous play", u"Speed",
     u"Cannot decode this recording: %1 is not installed. Install the Debian package %2.",
     u"Export clip…", u"Export clip", u"Also MP4 for phones", u"PDF report", u"Export", u"Cancel", u"Open folder", u"Close", u"Clip saved in", u"Clip in", u"Clip out", u"Marked span", u"Around the position", u"Export failed", u"Exporting…"},
    // 1 Simplified Chinese
    {u"抓图已保存", u"连续播放", u"速度", u"无法解码此录像：未安装 %1。请安装 Debian 软件包 %2。",
     u"导出片段…", u"导出片段", u"同时导出手机用 MP4", u"生成 PDF 报告", u"导出", u"取消", u"打开文件夹", u"关闭", u"片段已保存到", u"片段起点", u"片段终点", u"标记的区间", u"当前位置前后", u"导出失败", u"正在导出…"},
    // 2 French
    {u"Instantané enregistré", u"Lecture continue", u"Vitesse",
     u"Impossible de décoder cet enregistrement : %1 n’est pas installé. Installez le paquet Debian %2.",
     u"Exporter l’extrait…", u"Exporter l’extrait", u"Aussi en MP4 pour téléphones", u"Rapport PDF", u"Exporter", u"Annuler", u"Ouvrir le dossier", u"Fermer", u"Extrait enregistré dans", u"Début de l’extrait", u"Fin de l’extrait", u"Plage marquée", u"Autour de la position", u"Échec de l’exportation", u"Exportation…"},
    // 3 German
    {u"Schnappschuss gespeichert", u"Fortlaufende Wiedergabe", u"Geschwindigkeit",
     u"Diese Aufnahme kann nicht dekodiert werden: %1 ist nicht installiert. Installieren Sie das Debian-Paket %2.",
     u"Clip exportieren…", u"Clip exportieren", u"Auch MP4 für Smartphones", u"PDF-Bericht", u"Exportieren", u"Abbrechen", u"Ordner öffnen", u"Schließen", u"Clip gespeichert in", u"Clip-Anfang", u"Clip-Ende", u"Markierter Abschnitt", u"Um die Position", u"Export fehlgeschlagen", u"Wird exportiert…"},
    // 4 Estonian
    {u"Hetktõmmis salvestatud", u"Pidev esitus", u"Kiirus"},
    // 5 Bulgarian
    {u"Моментната снимка е запазена", u"Непрекъснато възпроизвеждане", u"Скорост",
     u"Този запис не може да бъде декодиран: %1 не е инсталиран. Инсталирайте пакета на Debian %2.",
     u"Експорт на клип…", u"Експорт на клип", u"Също MP4 за телефони", u"Отчет в PDF", u"Експортиране", u"Отказ", u"Отвори папката", u"Затвори", u"Клипът е записан в", u"Начало на клипа", u"Край на клипа", u"Отбелязан участък", u"Около позицията", u"Грешка при експорта", u"Експортиране…"},
    // 6 Hungarian
    {u"Pillanatkép mentve", u"Folyamatos lejátszás", u"Sebesség"},
    // 7 Polish
    {u"Zrzut obrazu zapisany", u"Odtwarzanie ciągłe", u"Prędkość",
     u"Nie można zdekodować tego nagrania: brak %1. Zainstaluj pakiet Debiana %2."},
    // 8 Danish
    {u"Øjebliksbillede gemt", u"Kontinuerlig afspilning", u"Hastighed"},
    // 9 Russian
    {u"Снимок кадра сохранён", u"Непрерывное воспроизведение", u"Скорость",
     u"Не удаётся декодировать эту запись: %1 не установлен. Установите пакет Debian %2.",
     u"Экспорт фрагмента…", u"Экспорт фрагмента", u"Также MP4 для телефонов", u"Отчёт PDF", u"Экспортировать", u"Отмена", u"Открыть папку", u"Закрыть", u"Фрагмент сохранён в", u"Начало фрагмента", u"Конец фрагмента", u"Отмеченный отрезок", u"Вокруг позиции", u"Ошибка экспорта", u"Экспорт…"},
    // 10 Finnish
    {u"Kuvakaappaus tallennettu", u"Jatkuva toisto", u"Nopeus"},
    // 11 Dutch
    {u"Momentopname opgeslagen", u"Doorlopend afspelen", u"Snelheid",
     u"Deze opname kan niet worden gedecodeerd: %1 is niet geïnstalleerd. Installeer het Debian-pakket %2.",
     u"Clip exporteren…", u"Clip exporteren", u"Ook MP4 voor telefoons", u"PDF-rapport", u"Exporteren", u"Annuleren", u"Map openen", u"Sluiten", u"Clip opgeslagen in", u"Begin clip", u"Einde clip", u"Gemarkeerd stuk", u"Rond de positie", u"Exporteren mislukt", u"Bezig met exporteren…"},
    // 12 Czech
    {u"Snímek uložen", u"Souvislé přehrávání", u"Rychlost"},
    // 13 Croatian
    {u"Kadar spremljen", u"Neprekidna reprodukcija", u"Brzina"},
    // 14 Latvian
    {u"Momentuzņēmums saglabāts", u"Nepārtraukta atskaņošana", u"Ātrums"},
    // 15 Lithuanian
    {u"Momentinė nuotrauka išsaugota", u"Nepertraukiamas atkūrimas", u"Greitis"},
    // 16 Romanian
    {u"Instantaneu salvat", u"Redare continuă", u"Viteză"},
    // 17 Norwegian
    {u"Stillbilde lagret", u"Kontinuerlig avspilling", u"Hastighet"},
    // 18 Portuguese
    {u"Captura de imagem guardada", u"Reprodução contínua", u"Velocidade", nullptr,
     u"Exportar clipe…", u"Exportar clipe", u"Também MP4 para telemóveis", u"Relatório PDF", u"Exportar", u"Cancelar", u"Abrir pasta", u"Fechar", u"Clipe guardado em", u"Início do clipe", u"Fim do clipe", u"Troço marcado", u"Em torno da posição", u"Falha na exportação", u"A exportar…"},
    // 19 Japanese
    {u"スナップショットを保存しました", u"連続再生", u"速度", u"この録画をデコードできません: %1 がインストールされていません。Debian パッケージ %2 をインストールしてください。",
     u"クリップを書き出す…", u"クリップの書き出し", u"スマートフォン用 MP4 も作成", u"PDF レポート", u"書き出す", u"キャンセル", u"フォルダーを開く", u"閉じる", u"クリップの保存先", u"クリップ開始", u"クリップ終了", u"マークした区間", u"現在位置の前後", u"書き出しに失敗しました", u"書き出し中…"},
    // 20 Swedish
    {u"Ögonblicksbild sparad", u"Kontinuerlig uppspelning", u"Hastighet"},
    // 21 Slovak
    {u"Snímka uložená", u"Súvislé prehrávanie", u"Rýchlosť"},
    // 22 Slovenian
    {u"Sličica shranjena", u"Neprekinjeno predvajanje", u"Hitrost"},
    // 23 Turkish
    {u"Anlık görüntü kaydedildi", u"Sürekli oynatma", u"Hız"},
    // 24 Spanish
    {u"Captura de imagen guardada", u"Reproducción continua", u"Velocidad",
     u"No se puede decodificar esta grabación: %1 no está instalado. Instale el paquete de Debian %2.",
     u"Exportar clip…", u"Exportar clip", u"También MP4 para móviles", u"Informe PDF", u"Exportar", u"Cancelar", u"Abrir carpeta", u"Cerrar", u"Clip guardado en", u"Inicio del clip", u"Fin del clip", u"Tramo marcado", u"Alrededor de la posición", u"Error al exportar", u"Exportando…"},
    // 25 Greek
    {u"Το στιγμιότυπο αποθηκεύτηκε", u"Συνεχής αναπαραγωγή", u"Ταχύτητα",
     u"Αυτή η εγγραφή δεν μπορεί να αποκωδικοποιηθεί: το %1 δεν είναι εγκατεστημένο. Εγκαταστήστε το πακέτο Debian %2.",
     u"Εξαγωγή αποσπάσματος…", u"Εξαγωγή αποσπάσματος", u"Και MP4 για κινητά", u"Αναφορά PDF", u"Εξαγωγή", u"Άκυρο", u"Άνοιγμα φακέλου", u"Κλείσιμο", u"Το απόσπασμα αποθηκεύτηκε στο", u"Αρχή αποσπάσματος", u"Τέλος αποσπάσματος", u"Σημειωμένο τμήμα", u"Γύρω από τη θέση", u"Η εξαγωγή απέτυχε", u"Εξαγωγή…"},
    // 26 Italian
    {u"Istantanea salvata", u"Riproduzione continua", u"Velocità",
     u"Impossibile decodificare questa registrazione: %1 non è installato. Installare il pacchetto Debian %2.",
     u"Esporta clip…", u"Esporta clip", u"Anche MP4 per telefoni", u"Rapporto PDF", u"Esporta", u"Annulla", u"Apri cartella", u"Chiudi", u"Clip salvata in", u"Inizio clip", u"Fine clip", u"Tratto segnato", u"Intorno alla posizione", u"Esportazione non riuscita", u"Esportazione…"},
};

consteval bool englishIsComplete()
{
    for (const char16_t* text : kPlayerTexts[kLanguageEnglish]) {
        if (text == nullptr || text[0] == u'\0')
            return false;
    }
    return true;
}
static_assert(englishIsComplete(), "every player text needs its English wording");

const char16_t* ownText(int language, int id)
{
    if (id < 0 || id >= kPlayerTextCount || !isValidLanguage(language))
        return nullptr;
    const char16_t* text = kPlayerTexts[language][static_cast<std::size_t>(id)];
    return text && text[0] != u'\0' ? text : nullptr;
}

}  // namespace

QString PlayerTextIn(int language, int id)
{
    if (id < 0 || id >= kPlayerTextCount || !isValidLanguage(language))
        return QString();
    const char16_t* text = ownText(language, id);
    return QString::fromUtf16(text ? text : ownText(kLanguageEnglish, id));
}

QString PlayerText(int id)
{
    return PlayerTextIn(isValidLanguage(CurrentLanguage) ? CurrentLanguage : kLanguageEnglish, id);
}

bool HasOwnPlayerText(int language, int id)
{
    return ownText(language, id) != nullptr;
}
