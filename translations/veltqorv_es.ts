<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>App::AppAppearance</name>
    <message>
        <source>System</source>
        <translation>Sistema</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Claro</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Oscuro</translation>
    </message>
</context>
<context>
    <name>App::BinNotFoundBar</name>
    <message>
        <source>Install &amp; Setup</source>
        <translation>Instalar y configurar</translation>
    </message>
    <message>
        <source>Bin not found</source>
        <translation>Binario no encontrado</translation>
    </message>
    <message>
        <source>yt-dlp Setup</source>
        <translation>Configuración de yt-dlp</translation>
    </message>
    <message>
        <source>Command-line binary cannot be found, please install and setup [yt-dlp](%1) first to download videos.</source>
        <translation>No se encuentra el programa de línea de comandos; instale y configure primero [yt-dlp](%1) para descargar vídeos.</translation>
    </message>
</context>
<context>
    <name>App::BookmarkletLink</name>
    <message>
        <source>Drag to the bookmarks bar of your browser; click to copy</source>
        <translation>Arrástrelo a la barra de marcadores del navegador; pulse para copiarlo</translation>
    </message>
    <message>
        <source>Send to VeltQorv</source>
        <translation>Enviar a VeltQorv</translation>
    </message>
</context>
<context>
    <name>App::DownloadChoiceEditor</name>
    <message>
        <source>Video</source>
        <translation>Vídeo</translation>
    </message>
    <message>
        <source>Audio only</source>
        <translation>Solo audio</translation>
    </message>
    <message>
        <source>Download:</source>
        <translation>Descargar:</translation>
    </message>
    <message>
        <source>As the site has it</source>
        <translation>Como en el sitio</translation>
    </message>
    <message>
        <source>Quality:</source>
        <translation>Calidad:</translation>
    </message>
    <message>
        <source>Container:</source>
        <translation>Contenedor:</translation>
    </message>
    <message>
        <source>Best original</source>
        <translation>Mejor original</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Formato:</translation>
    </message>
    <message>
        <source>Subtitles</source>
        <translation>Subtítulos</translation>
    </message>
    <message>
        <source>Into the file</source>
        <translation>Dentro del archivo</translation>
    </message>
    <message>
        <source>As files beside it</source>
        <translation>Como archivos aparte</translation>
    </message>
    <message>
        <source>Save:</source>
        <translation>Guardar:</translation>
    </message>
    <message>
        <source>Extras</source>
        <translation>Extras</translation>
    </message>
    <message>
        <source>Embed the thumbnail</source>
        <translation>Incrustar la miniatura</translation>
    </message>
    <message>
        <source>Embed metadata and chapters</source>
        <translation>Incrustar metadatos y capítulos</translation>
    </message>
    <message>
        <source>Keep everything</source>
        <translation>Conservar todo</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>Mark as chapters</source>
        <translation>Marcar como capítulos</translation>
    </message>
    <message>
        <source>SponsorBlock:</source>
        <translation>SponsorBlock:</translation>
    </message>
    <message>
        <source>Best</source>
        <extracomment>Audio quality
----------
Video quality</extracomment>
        <translation>La mejor</translation>
    </message>
    <message>
        <source>Automatic captions</source>
        <translation>Subtítulos automáticos</translation>
    </message>
    <message>
        <source>This video has none</source>
        <translation>Este vídeo no tiene ninguno</translation>
    </message>
    <message>
        <source>None known yet</source>
        <translation>Aún no se conoce ninguno</translation>
    </message>
    <message>
        <source>Sponsor</source>
        <extracomment>SponsorBlock category</extracomment>
        <translation>Patrocinio</translation>
    </message>
    <message>
        <source>Self-promotion</source>
        <extracomment>SponsorBlock category</extracomment>
        <translation>Autopromoción</translation>
    </message>
    <message>
        <source>Reminders</source>
        <extracomment>SponsorBlock category</extracomment>
        <translation>Recordatorios</translation>
    </message>
    <message>
        <source>Intro</source>
        <extracomment>SponsorBlock category</extracomment>
        <translation>Introducción</translation>
    </message>
    <message>
        <source>Credits</source>
        <extracomment>SponsorBlock category</extracomment>
        <translation>Créditos</translation>
    </message>
    <message>
        <source>Preview and recap</source>
        <extracomment>SponsorBlock category</extracomment>
        <translation>Avance y resumen</translation>
    </message>
    <message>
        <source>Filler</source>
        <extracomment>SponsorBlock category</extracomment>
        <translation>Relleno</translation>
    </message>
    <message>
        <source>Non-music part</source>
        <extracomment>SponsorBlock category</extracomment>
        <translation>Parte sin música</translation>
    </message>
    <message>
        <source>High</source>
        <extracomment>Audio quality</extracomment>
        <translation>Alta</translation>
    </message>
    <message>
        <source>Medium</source>
        <extracomment>Audio quality</extracomment>
        <translation>Media</translation>
    </message>
    <message>
        <source>Low</source>
        <extracomment>Audio quality</extracomment>
        <translation>Baja</translation>
    </message>
</context>
<context>
    <name>App::DropPanel</name>
    <message>
        <source>Drop a link</source>
        <translation>Suelte un enlace</translation>
    </message>
    <message>
        <source>Drag and drop link here</source>
        <translation>Arrastre y suelte el enlace aquí</translation>
    </message>
</context>
<context>
    <name>App::GlobalShortcut</name>
    <message>
        <source>Show or hide the VeltQorv window</source>
        <translation>Mostrar u ocultar la ventana de VeltQorv</translation>
    </message>
    <message>
        <source>No shortcut recorded.</source>
        <translation>No se ha grabado ningún atajo.</translation>
    </message>
    <message>
        <source>Waiting for the desktop to accept %1…</source>
        <translation>Esperando a que el escritorio acepte %1…</translation>
    </message>
    <message>
        <source>The shortcut was declined in the desktop&apos;s prompt, so %1 does nothing. Record another combination, or clear it and record it again, to be asked once more.</source>
        <translation>El atajo se rechazó en el aviso del escritorio, así que %1 no hace nada. Grabe otra combinación, o bórrelo y vuelva a grabarlo para que se le pregunte de nuevo.</translation>
    </message>
    <message>
        <source>The desktop did not accept %1 as a global shortcut. Record another combination, or assign one in your desktop&apos;s keyboard settings.</source>
        <translation>El escritorio no aceptó %1 como atajo global. Grabe otra combinación o asigne una en la configuración de teclado del escritorio.</translation>
    </message>
    <message>
        <source>%1 is already used by another program. Record another combination.</source>
        <translation>%1 ya lo usa otro programa. Grabe otra combinación.</translation>
    </message>
    <message>
        <source>%1 cannot be used as a global shortcut. Record another combination.</source>
        <translation>%1 no se puede usar como atajo global. Grabe otra combinación.</translation>
    </message>
</context>
<context>
    <name>App::HandoverBar</name>
    <message>
        <source>Add</source>
        <translation>Añadir</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Descartar</translation>
    </message>
    <message>
        <source>1 more address from other programs waits to be added.</source>
        <translation>Falta por añadir 1 dirección más procedente de otros programas.</translation>
    </message>
    <message numerus="yes">
        <source>%n more addresses from other programs wait to be added.</source>
        <translation>
            <numerusform>Falta por añadir %n dirección más procedente de otros programas.</numerusform>
            <numerusform>Faltan por añadir %n direcciones más procedentes de otros programas.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>App::InstallButton</name>
    <message>
        <source>Download &amp; Install</source>
        <translation>Descargar e instalar</translation>
    </message>
    <message>
        <source>⚠ Installation failed: %1</source>
        <translation>⚠ Falló la instalación: %1</translation>
    </message>
</context>
<context>
    <name>App::MainWindow</name>
    <message>
        <source>About %1</source>
        <translation>Acerca de %1</translation>
    </message>
    <message>
        <source>&lt;b&gt;%1&lt;/b&gt; %2 (%3)&lt;br&gt;A desktop front end for yt-dlp.</source>
        <translation>&lt;b&gt;%1&lt;/b&gt; %2 (%3)&lt;br&gt;Una interfaz de escritorio para yt-dlp.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Editar</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>&amp;Downloads</source>
        <translation>&amp;Descargas</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ay&amp;uda</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Barra de herramientas</translation>
    </message>
    <message>
        <source>Add new downloads by entering URL or get URL from clipboard directly</source>
        <translation>Añada descargas nuevas escribiendo la dirección o tomándola directamente del portapapeles</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Buscar</translation>
    </message>
    <message>
        <source>Delete selected items</source>
        <translation>Eliminar los elementos seleccionados</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Found: %1</source>
        <translation>Encontrados: %1</translation>
    </message>
</context>
<context>
    <name>App::NewDownloadDialog</name>
    <message>
        <source>Add</source>
        <translation>Añadir</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Save Preset</source>
        <translation>Guardar preajuste</translation>
    </message>
    <message>
        <source>Name of the preset:</source>
        <translation>Nombre del preajuste:</translation>
    </message>
    <message>
        <source>Save To</source>
        <translation>Guardar en</translation>
    </message>
    <message>
        <source>New Download</source>
        <translation>Nueva descarga</translation>
    </message>
    <message>
        <source>Required</source>
        <translation>Obligatorio</translation>
    </message>
    <message>
        <source>As the site names it</source>
        <translation>Tal como lo llama el sitio</translation>
    </message>
    <message>
        <source>URL:</source>
        <translation>Dirección:</translation>
    </message>
    <message>
        <source>Save to:</source>
        <translation>Guardar en:</translation>
    </message>
    <message>
        <source>File name:</source>
        <translation>Nombre de archivo:</translation>
    </message>
    <message>
        <source>Save as Preset…</source>
        <translation>Guardar como preajuste…</translation>
    </message>
    <message>
        <source>Preset:</source>
        <translation>Preajuste:</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Elegir…</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ninguno</translation>
    </message>
    <message>
        <source>URL is invalid!</source>
        <translation>¡La dirección no es válida!</translation>
    </message>
</context>
<context>
    <name>App::NoDownloadPlaceholder</name>
    <message>
        <source>New Download…</source>
        <translation>Nueva descarga…</translation>
    </message>
    <message>
        <source>yt-dlp command line tool not found, please install it first!</source>
        <translation>No se encuentra la herramienta de línea de comandos yt-dlp; ¡instálela primero!</translation>
    </message>
    <message>
        <source>Get started by adding a video URL to download</source>
        <translation>Para empezar, añada la dirección de un vídeo para descargarlo</translation>
    </message>
</context>
<context>
    <name>App::NotificationPermission</name>
    <message>
        <source>No notification service runs in this desktop session. Install one (for example the &quot;dunst&quot; or &quot;notification-daemon&quot; package) or start your desktop&apos;s own, then press &quot;Enable&quot; again.</source>
        <translation>No hay ningún servicio de notificaciones en esta sesión de escritorio. Instale uno (por ejemplo, el paquete &quot;dunst&quot; o &quot;notification-daemon&quot;) o inicie el propio del escritorio y vuelva a pulsar &quot;Activar&quot;.</translation>
    </message>
</context>
<context>
    <name>App::PortalShortcutBackend</name>
    <message>
        <source>Global shortcuts are not available in a Wayland session: the desktop does not let applications listen for keys pressed in other windows. Use your desktop&apos;s own keyboard settings to run &quot;veltqorv&quot; instead.</source>
        <translation>Los atajos globales no están disponibles en una sesión Wayland: el escritorio no permite a las aplicaciones escuchar las teclas pulsadas en otras ventanas. Use la configuración de teclado del propio escritorio para ejecutar &quot;veltqorv&quot;.</translation>
    </message>
    <message>
        <source>The desktop accepted the shortcut but assigned it no keys. Choose them in your desktop&apos;s keyboard settings.</source>
        <translation>El escritorio aceptó el atajo, pero no le asignó ninguna tecla. Elíjalas en la configuración de teclado del escritorio.</translation>
    </message>
    <message>
        <source>Press %1 anywhere to show or hide the main window.</source>
        <translation>Pulse %1 en cualquier lugar para mostrar u ocultar la ventana principal.</translation>
    </message>
</context>
<context>
    <name>App::SettingsDonationView</name>
    <message>
        <source>Donation</source>
        <translation>Donación</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>Contacto</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>Correo electrónico</translation>
    </message>
    <message>
        <source>Homepage</source>
        <translation>Página web</translation>
    </message>
</context>
<context>
    <name>App::SettingsDownloadView</name>
    <message>
        <source>Default Download Location</source>
        <translation>Ubicación de descarga predeterminada</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Elegir…</translation>
    </message>
    <message>
        <source>Downloads will be saved to the chosen folder by default.</source>
        <translation>Las descargas se guardarán de forma predeterminada en la carpeta elegida.</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>Retraso</translation>
    </message>
    <message>
        <source>None</source>
        <extracomment>No delay</extracomment>
        <translation>Ninguno</translation>
    </message>
    <message>
        <source>Download Delay for Live Event</source>
        <translation>Retraso de descarga para eventos en directo</translation>
    </message>
    <message>
        <source>When enabled, download starting time will be delayed by the chosen duration.</source>
        <translation>Si se activa, el inicio de la descarga se retrasará el tiempo elegido.</translation>
    </message>
    <message>
        <source>New Downloads</source>
        <translation>Descargas nuevas</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Default preset</source>
        <translation>Preajuste predeterminado</translation>
    </message>
    <message>
        <source>Addresses from the clipboard, the drop panel, other programs and the command line use the default preset.</source>
        <translation>Las direcciones del portapapeles, del panel de soltar, de otros programas y de la línea de comandos usan el preajuste predeterminado.</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 hora</translation>
    </message>
    <message numerus="yes">
        <source>%n hours</source>
        <translation>
            <numerusform>%n hora</numerusform>
            <numerusform>%n horas</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>App::SettingsGeneralView</name>
    <message>
        <source>Enable</source>
        <translation>Activar</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Apariencia</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Abrir al iniciar sesión</translation>
    </message>
    <message>
        <source>Notifications</source>
        <translation>Notificaciones</translation>
    </message>
    <message>
        <source>System Notification</source>
        <translation>Notificación del sistema</translation>
    </message>
    <message>
        <source>Notify when downloads completed.</source>
        <translation>Avisar cuando terminen las descargas.</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Atajo</translation>
    </message>
    <message>
        <source>Toggle Main Window</source>
        <translation>Mostrar/ocultar ventana principal</translation>
    </message>
    <message>
        <source>Browser Button</source>
        <translation>Botón del navegador</translation>
    </message>
    <message>
        <source>Drag the button to your browser&apos;s bookmarks bar, then click it there on a video&apos;s page.</source>
        <translation>Arrastre el botón a la barra de marcadores del navegador y luego púlselo allí en la página de un vídeo.</translation>
    </message>
    <message>
        <source>Automatically Check Updates</source>
        <translation>Buscar actualizaciones automáticamente</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Activado</translation>
    </message>
</context>
<context>
    <name>App::SettingsMouseTrackpadView</name>
    <message>
        <source>Shake to Download</source>
        <translation>Agitar para descargar</translation>
    </message>
    <message>
        <source>Mouse &amp; Trackpad</source>
        <translation>Ratón y panel táctil</translation>
    </message>
    <message>
        <source>Quickly drag and shake link to add as new download.

*(Works in this X11 session; no extra permission is needed.)*</source>
        <translation>Arrastre y agite rápidamente un enlace para añadirlo como descarga nueva.

*(Funciona en esta sesión X11; no hace falta ningún permiso adicional.)*</translation>
    </message>
    <message>
        <source>Quickly drag and shake link to add as new download.

*(Not available: %1)*</source>
        <translation>Arrastre y agite rápidamente un enlace para añadirlo como descarga nueva.

*(No disponible: %1)*</translation>
    </message>
</context>
<context>
    <name>App::SettingsWindow</name>
    <message>
        <source>Settings</source>
        <translation>Preferencias</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Download</source>
        <extracomment>Settings tab about downloads</extracomment>
        <translation>Descargas</translation>
    </message>
    <message>
        <source>Gesture</source>
        <translation>Gesto</translation>
    </message>
    <message>
        <source>Command-line</source>
        <translation>Línea de comandos</translation>
    </message>
    <message>
        <source>Support</source>
        <translation>Apoyo</translation>
    </message>
</context>
<context>
    <name>App::ShakeItemDelegate</name>
    <message>
        <source>Starred</source>
        <translation>Destacado</translation>
    </message>
    <message>
        <source>Download failed, click to view error details.</source>
        <translation>Falló la descarga; pulse para ver los detalles del error.</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Abrir archivo</translation>
    </message>
    <message>
        <source>Show in folder</source>
        <translation>Mostrar en la carpeta</translation>
    </message>
</context>
<context>
    <name>App::SidebarView</name>
    <message>
        <source>Downloads</source>
        <translation>Descargas</translation>
    </message>
</context>
<context>
    <name>App::ToolInstaller</name>
    <message>
        <source>Could not download the release&apos;s checksums: %1</source>
        <translation>No se pudieron descargar las sumas de verificación de la versión: %1</translation>
    </message>
    <message>
        <source>The release lists no SHA-256 sum for %1.</source>
        <translation>La versión no indica ninguna suma SHA-256 para %1.</translation>
    </message>
    <message>
        <source>Cannot create the folder %1.</source>
        <translation>No se puede crear la carpeta %1.</translation>
    </message>
    <message>
        <source>Cannot write to %1: %2</source>
        <translation>No se puede escribir en %1: %2</translation>
    </message>
    <message>
        <source>Download failed: %1</source>
        <translation>Falló la descarga: %1</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>No se puede escribir %1: %2</translation>
    </message>
    <message>
        <source>Checksum mismatch: the downloaded %1 does not match the release&apos;s SHA-256 sum. Nothing was installed.</source>
        <translation>Las sumas de verificación no coinciden: el archivo %1 descargado no corresponde a la suma SHA-256 de la versión. No se ha instalado nada.</translation>
    </message>
    <message>
        <source>Cannot install %1: %2</source>
        <translation>No se puede instalar %1: %2</translation>
    </message>
    <message>
        <source>%1 is not an executable file.</source>
        <translation>%1 no es un archivo ejecutable.</translation>
    </message>
    <message>
        <source>HTTP %1 from %2</source>
        <translation>HTTP %1 desde %2</translation>
    </message>
</context>
<context>
    <name>App::ToolSetupView</name>
    <message>
        <source>(manually choose yt-dlp binary path)</source>
        <translation>(elegir manualmente la ruta del binario de yt-dlp)</translation>
    </message>
    <message>
        <source>Simple &lt;a href=&quot;%1&quot;&gt;yt-dlp&lt;/a&gt; GUI app for video sites downloading</source>
        <translation>Sencilla aplicación gráfica de &lt;a href=&quot;%1&quot;&gt;yt-dlp&lt;/a&gt; para descargar de sitios de vídeo</translation>
    </message>
    <message>
        <source>yt-dlp</source>
        <translation>yt-dlp</translation>
    </message>
    <message>
        <source>• yt-dlp is a command-line program that downloads videos from YouTube and many other video sites.&lt;br&gt;• It is a fork of youtube-dl with additional features and fixes.&lt;br&gt;&lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</source>
        <translation>• yt-dlp es un programa de línea de comandos que descarga vídeos de YouTube y de muchos otros sitios de vídeo.&lt;br&gt;• Es una bifurcación de youtube-dl con funciones y correcciones adicionales.&lt;br&gt;&lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Ruta</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versión</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continuar</translation>
    </message>
    <message>
        <source>Choose the yt-dlp executable</source>
        <translation>Elija el ejecutable de yt-dlp</translation>
    </message>
    <message>
        <source>yt-dlp not found</source>
        <translation>yt-dlp no encontrado</translation>
    </message>
    <message>
        <source>yt-dlp installed</source>
        <translation>yt-dlp instalado</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Desconocida</translation>
    </message>
</context>
<context>
    <name>App::TrayIcon</name>
    <message>
        <source>Show Main Window</source>
        <translation>Mostrar ventana principal</translation>
    </message>
    <message>
        <source>New from Clipboard…</source>
        <translation>Nueva desde el portapapeles…</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Buscar actualizaciones…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>%1 — 1 download running</source>
        <translation>%1 — 1 descarga en curso</translation>
    </message>
    <message numerus="yes">
        <source>%1 — %n downloads running</source>
        <translation>
            <numerusform>%1 — %n descarga en curso</numerusform>
            <numerusform>%1 — %n descargas en curso</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>App::UndoDeleteBar</name>
    <message>
        <source>Undo</source>
        <translation>Deshacer</translation>
    </message>
    <message>
        <source>Deleted 1 download</source>
        <translation>Se eliminó 1 descarga</translation>
    </message>
    <message numerus="yes">
        <source>Deleted %n downloads</source>
        <translation>
            <numerusform>Se eliminó %n descarga</numerusform>
            <numerusform>Se eliminaron %n descargas</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>App::UpdateChecker</name>
    <message>
        <source>the server answered HTTP %1</source>
        <translation>el servidor respondió HTTP %1</translation>
    </message>
    <message>
        <source>Could not check for updates: %1</source>
        <translation>No se pudieron buscar actualizaciones: %1</translation>
    </message>
    <message>
        <source>the feed is not valid XML (%1)</source>
        <translation>el canal de actualizaciones no es XML válido (%1)</translation>
    </message>
    <message>
        <source>the feed lists no release</source>
        <translation>el canal de actualizaciones no incluye ninguna versión</translation>
    </message>
</context>
<context>
    <name>App::UpdateDialog</name>
    <message>
        <source>Software Update</source>
        <translation>Actualización de software</translation>
    </message>
    <message>
        <source>%1 %2 is available — you have %3.</source>
        <translation>%1 %2 está disponible; usted tiene la %3.</translation>
    </message>
    <message>
        <source>Download…</source>
        <translation>Descargar…</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Más tarde</translation>
    </message>
    <message>
        <source>You&apos;re up to date! %1 %2 is the newest version.</source>
        <translation>¡Está al día! %1 %2 es la versión más reciente.</translation>
    </message>
</context>
<context>
    <name>App::VideoPreview</name>
    <message>
        <source>Paste or type the address of a video</source>
        <translation>Pegue o escriba la dirección de un vídeo</translation>
    </message>
    <message>
        <source>Reading the video&apos;s details…</source>
        <translation>Leyendo los detalles del vídeo…</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Sin título</translation>
    </message>
    <message>
        <source>Could not read the video&apos;s details: %1</source>
        <translation>No se pudieron leer los detalles del vídeo: %1</translation>
    </message>
</context>
<context>
    <name>App::X11DragMonitor</name>
    <message>
        <source>Wayland does not let an application follow drags in other applications&apos; windows, so shaking a dragged link cannot open the drop panel. The gesture works in an X11 session.</source>
        <translation>Wayland no permite a una aplicación seguir los arrastres en ventanas de otras aplicaciones, así que agitar un enlace arrastrado no puede abrir el panel de soltar. El gesto funciona en una sesión X11.</translation>
    </message>
    <message>
        <source>The gesture needs an X11 session.</source>
        <translation>El gesto necesita una sesión X11.</translation>
    </message>
    <message>
        <source>The X server could not be reached.</source>
        <translation>No se pudo contactar con el servidor X.</translation>
    </message>
    <message>
        <source>The X server lacks the XInput 2.2 extension that the gesture needs.</source>
        <translation>Al servidor X le falta la extensión XInput 2.2 que necesita el gesto.</translation>
    </message>
</context>
<context>
    <name>App::X11ShortcutBackend</name>
    <message>
        <source>Global shortcuts are not available on this display (%1).</source>
        <translation>Los atajos globales no están disponibles en esta pantalla (%1).</translation>
    </message>
    <message>
        <source>Press %1 anywhere to show or hide the main window.</source>
        <translation>Pulse %1 en cualquier lugar para mostrar u ocultar la ventana principal.</translation>
    </message>
</context>
<context>
    <name>AutostartEntry</name>
    <message>
        <source>Could not remove %1.</source>
        <translation>No se pudo quitar %1.</translation>
    </message>
    <message>
        <source>The program&apos;s own path is unknown.</source>
        <translation>Se desconoce la ruta del propio programa.</translation>
    </message>
    <message>
        <source>The autostart template is missing from the program.</source>
        <translation>Falta la plantilla de inicio automático en el programa.</translation>
    </message>
    <message>
        <source>Could not create the folder %1.</source>
        <translation>No se pudo crear la carpeta %1.</translation>
    </message>
    <message>
        <source>Could not write %1: %2</source>
        <translation>No se pudo escribir %1: %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Adds the videos at the addresses to the downloads of the running %1, which it starts when there is none.</source>
        <translation>Añade los vídeos de las direcciones a las descargas de la instancia de %1 en ejecución, y la inicia si no hay ninguna.</translation>
    </message>
    <message>
        <source>Shows this help.</source>
        <translation>Muestra esta ayuda.</translation>
    </message>
    <message>
        <source>Shows the version.</source>
        <translation>Muestra la versión.</translation>
    </message>
    <message>
        <source>Audio only, as FORMAT: mp3, m4a, opus, flac or best.</source>
        <translation>Solo audio, en FORMATO: mp3, m4a, opus, flac o best.</translation>
    </message>
    <message>
        <source>Video of at most HEIGHT lines, such as 720 or 1080.</source>
        <translation>Vídeo de ALTURA líneas como máximo, como 720 o 1080.</translation>
    </message>
    <message>
        <source>Start from the saved preset NAME.</source>
        <translation>Partir del preajuste guardado NOMBRE.</translation>
    </message>
    <message>
        <source>Save into DIR instead of the download folder.</source>
        <translation>Guardar en CARPETA en lugar de la carpeta de descargas.</translation>
    </message>
    <message>
        <source>Addresses of video pages, or veltqorv:// addresses.</source>
        <translation>Direcciones de páginas de vídeo o direcciones veltqorv://.</translation>
    </message>
    <message>
        <source>--audio and --quality exclude each other.</source>
        <translation>--audio y --quality se excluyen mutuamente.</translation>
    </message>
    <message>
        <source>--audio takes mp3, m4a, opus, flac or best, not &quot;%1&quot;.</source>
        <translation>--audio admite mp3, m4a, opus, flac o best, no &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>--quality takes a height in lines, such as 1080, not &quot;%1&quot;.</source>
        <translation>--quality admite una altura en líneas, como 1080, no &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>--folder &quot;%1&quot; is not an absolute path.</source>
        <translation>--folder &quot;%1&quot; no es una ruta absoluta.</translation>
    </message>
    <message>
        <source>--folder &quot;%1&quot; is not an existing folder.</source>
        <translation>--folder &quot;%1&quot; no es una carpeta existente.</translation>
    </message>
    <message>
        <source>no preset is named &quot;%1&quot;</source>
        <translation>no hay ningún preajuste llamado &quot;%1&quot;</translation>
    </message>
    <message>
        <source>FORMAT</source>
        <translation>FORMATO</translation>
    </message>
    <message>
        <source>HEIGHT</source>
        <translation>ALTURA</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>NOMBRE</translation>
    </message>
    <message>
        <source>DIR</source>
        <translation>CARPETA</translation>
    </message>
    <message>
        <source>urls</source>
        <translation>direcciones</translation>
    </message>
    <message>
        <source>URL…</source>
        <translation>DIRECCIÓN…</translation>
    </message>
</context>
<context>
    <name>DownloadChoice</name>
    <message>
        <source>Audio</source>
        <extracomment>Badge of an audio-only download in the best format the site has</extracomment>
        <translation>Audio</translation>
    </message>
    <message>
        <source>%1p</source>
        <extracomment>Badge: a video height in pixels, as in 1080p</extracomment>
        <translation>%1p</translation>
    </message>
    <message>
        <source>Best</source>
        <extracomment>Badge: the best quality the site offers</extracomment>
        <translation>Mejor</translation>
    </message>
    <message>
        <source>%1 · %2</source>
        <extracomment>Badge: the quality and the container, as in 1080p · MKV</extracomment>
        <translation>%1 · %2</translation>
    </message>
    <message>
        <source>Custom</source>
        <extracomment>Badge: a format chosen by hand</extracomment>
        <translation>Personalizado</translation>
    </message>
</context>
<context>
    <name>Engine::ChildProcess</name>
    <message>
        <source>An argument contains a NUL character.</source>
        <translation>Un argumento contiene un carácter NUL.</translation>
    </message>
</context>
<context>
    <name>Engine::CommandRunner</name>
    <message>
        <source>The shell %1 was not found.</source>
        <translation>No se encontró el intérprete de comandos %1.</translation>
    </message>
</context>
<context>
    <name>Engine::Downloader</name>
    <message>
        <source>The address is empty.</source>
        <translation>La dirección está vacía.</translation>
    </message>
    <message>
        <source>The address &quot;%1&quot; begins with &quot;-&quot; and is not a web address.</source>
        <translation>La dirección &quot;%1&quot; empieza por &quot;-&quot; y no es una dirección web.</translation>
    </message>
    <message>
        <source>The address &quot;%1&quot; is not a valid web address.</source>
        <translation>La dirección &quot;%1&quot; no es una dirección web válida.</translation>
    </message>
    <message>
        <source>yt-dlp not found!</source>
        <translation>¡No se encuentra yt-dlp!</translation>
    </message>
    <message>
        <source>yt-dlp not found at %1</source>
        <translation>No se encuentra yt-dlp en %1</translation>
    </message>
    <message>
        <source>yt-dlp could not be started: %1</source>
        <translation>No se pudo iniciar yt-dlp: %1</translation>
    </message>
</context>
<context>
    <name>Engine::MetadataReader</name>
    <message>
        <source>yt-dlp not found!</source>
        <translation>¡No se encuentra yt-dlp!</translation>
    </message>
    <message>
        <source>yt-dlp could not read the address.</source>
        <translation>yt-dlp no pudo leer la dirección.</translation>
    </message>
    <message>
        <source>yt-dlp answered with something unreadable (%1).</source>
        <translation>yt-dlp respondió con algo ilegible (%1).</translation>
    </message>
</context>
<context>
    <name>FailureClassification</name>
    <message>
        <source>exit status %1</source>
        <translation>código de salida %1</translation>
    </message>
    <message>
        <source>killed by a signal</source>
        <translation>terminado por una señal</translation>
    </message>
</context>
<context>
    <name>Library::MainModel</name>
    <message>
        <source>No valid URL found in clipboard!</source>
        <translation>¡No se encontró ninguna dirección válida en el portapapeles!</translation>
    </message>
    <message>
        <source>The list of downloads could not be saved: %1</source>
        <translation>No se pudo guardar la lista de descargas: %1</translation>
    </message>
</context>
<context>
    <name>Library::ShakeItemDownloaderActor</name>
    <message>
        <source>The download is no longer in the library.</source>
        <translation>La descarga ya no está en la biblioteca.</translation>
    </message>
    <message>
        <source>The download has no address.</source>
        <translation>La descarga no tiene dirección.</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Sin título</translation>
    </message>
    <message>
        <source>✅ Downloaded</source>
        <translation>✅ Descargado</translation>
    </message>
</context>
<context>
    <name>Library::Store</name>
    <message>
        <source>The download library “%1” cannot be opened: %2. The file has been left as it is.</source>
        <translation>No se puede abrir la biblioteca de descargas «%1»: %2. El archivo se ha dejado tal como está.</translation>
    </message>
    <message>
        <source>the store is open already</source>
        <translation>el almacén ya está abierto</translation>
    </message>
    <message>
        <source>no file was named</source>
        <translation>no se indicó ningún archivo</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>es una carpeta</translation>
    </message>
    <message>
        <source>it cannot be read (%1)</source>
        <translation>no se puede leer (%1)</translation>
    </message>
    <message>
        <source>it is not a database</source>
        <translation>no es una base de datos</translation>
    </message>
    <message>
        <source>it cannot be written</source>
        <translation>no se puede escribir</translation>
    </message>
    <message>
        <source>its folder cannot be created</source>
        <translation>no se puede crear su carpeta</translation>
    </message>
    <message>
        <source>another %1 (process %2) is using it</source>
        <translation>otra instancia de %1 (proceso %2) lo está usando</translation>
    </message>
    <message>
        <source>its lock file cannot be made</source>
        <translation>no se puede crear su archivo de bloqueo</translation>
    </message>
    <message>
        <source>a site icon needs a scheme and a host</source>
        <translation>el icono de un sitio necesita un esquema y un servidor</translation>
    </message>
    <message>
        <source>item %1 no longer exists</source>
        <translation>el elemento %1 ya no existe</translation>
    </message>
    <message>
        <source>only http and https addresses can be added</source>
        <translation>solo se pueden añadir direcciones http y https</translation>
    </message>
    <message>
        <source>only http and https addresses can be stored</source>
        <translation>solo se pueden guardar direcciones http y https</translation>
    </message>
    <message>
        <source>option set %1 does not exist</source>
        <translation>el conjunto de opciones %1 no existe</translation>
    </message>
    <message>
        <source>option set %1 is unreadable</source>
        <translation>el conjunto de opciones %1 es ilegible</translation>
    </message>
    <message>
        <source>it was made by a newer version of VeltQorv</source>
        <translation>lo creó una versión más reciente de VeltQorv</translation>
    </message>
    <message>
        <source>it is a database of another program</source>
        <translation>es una base de datos de otro programa</translation>
    </message>
    <message>
        <source>its contents could not be upgraded (%1)</source>
        <translation>no se pudo actualizar su contenido (%1)</translation>
    </message>
</context>
<context>
    <name>MainWindowActions</name>
    <message>
        <source>New with URL…</source>
        <translation>Nueva con dirección…</translation>
    </message>
    <message>
        <source>New from Clipboard…</source>
        <translation>Nueva desde el portapapeles…</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Preferencias…</translation>
    </message>
    <message>
        <source>Close Window</source>
        <translation>Cerrar ventana</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Pegar</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Seleccionar todo</translation>
    </message>
    <message>
        <source>Search…</source>
        <translation>Buscar…</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Toggle Starred</source>
        <translation>Alternar destacado</translation>
    </message>
    <message>
        <source>Copy URL</source>
        <translation>Copiar dirección</translation>
    </message>
    <message>
        <source>Open in Browser…</source>
        <translation>Abrir en el navegador…</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Abrir archivo</translation>
    </message>
    <message>
        <source>Show in Folder</source>
        <translation>Mostrar en la carpeta</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Delete with File</source>
        <translation>Eliminar con el archivo</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Buscar actualizaciones…</translation>
    </message>
    <message>
        <source>Official Website</source>
        <translation>Sitio web oficial</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Acerca de %1</translation>
    </message>
</context>
<context>
    <name>QorvVideoResolution</name>
    <message>
        <source>Best</source>
        <extracomment>The highest resolution the site offers</extracomment>
        <translation>Máxima</translation>
    </message>
    <message>
        <source>%1p</source>
        <translation>%1p</translation>
    </message>
</context>
<context>
    <name>ShakeListItemRow</name>
    <message>
        <source>Created on: %1</source>
        <translation>Creada el %1</translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation>Descargando</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Completada</translation>
    </message>
    <message>
        <source>Scheduled</source>
        <translation>Programada</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Detenida</translation>
    </message>
    <message>
        <source>Completed on: %1</source>
        <translation>Completada el %1</translation>
    </message>
    <message>
        <source>%1p was not available; downloaded %2p</source>
        <translation>%1p no estaba disponible; se descargó %2p</translation>
    </message>
    <message>
        <source>%1p was not available; downloaded another quality</source>
        <translation>%1p no estaba disponible; se descargó otra calidad</translation>
    </message>
    <message>
        <source>Automatically retry %1</source>
        <extracomment>%1 is a relative time such as &quot;in 2 hours&quot;</extracomment>
        <translation>Reintento automático %1</translation>
    </message>
    <message>
        <source>in 1 week</source>
        <translation>dentro de 1 semana</translation>
    </message>
    <message numerus="yes">
        <source>in %n weeks</source>
        <translation>
            <numerusform>dentro de %n semana</numerusform>
            <numerusform>dentro de %n semanas</numerusform>
        </translation>
    </message>
    <message>
        <source>1 week ago</source>
        <translation>hace 1 semana</translation>
    </message>
    <message numerus="yes">
        <source>%n weeks ago</source>
        <translation>
            <numerusform>hace %n semana</numerusform>
            <numerusform>hace %n semanas</numerusform>
        </translation>
    </message>
    <message>
        <source>in 1 day</source>
        <translation>dentro de 1 día</translation>
    </message>
    <message numerus="yes">
        <source>in %n days</source>
        <translation>
            <numerusform>dentro de %n día</numerusform>
            <numerusform>dentro de %n días</numerusform>
        </translation>
    </message>
    <message>
        <source>1 day ago</source>
        <translation>hace 1 día</translation>
    </message>
    <message numerus="yes">
        <source>%n days ago</source>
        <translation>
            <numerusform>hace %n día</numerusform>
            <numerusform>hace %n días</numerusform>
        </translation>
    </message>
    <message>
        <source>in 1 hour</source>
        <translation>dentro de 1 hora</translation>
    </message>
    <message numerus="yes">
        <source>in %n hours</source>
        <translation>
            <numerusform>dentro de %n hora</numerusform>
            <numerusform>dentro de %n horas</numerusform>
        </translation>
    </message>
    <message>
        <source>1 hour ago</source>
        <translation>hace 1 hora</translation>
    </message>
    <message numerus="yes">
        <source>%n hours ago</source>
        <translation>
            <numerusform>hace %n hora</numerusform>
            <numerusform>hace %n horas</numerusform>
        </translation>
    </message>
    <message>
        <source>in 1 minute</source>
        <translation>dentro de 1 minuto</translation>
    </message>
    <message numerus="yes">
        <source>in %n minutes</source>
        <translation>
            <numerusform>dentro de %n minuto</numerusform>
            <numerusform>dentro de %n minutos</numerusform>
        </translation>
    </message>
    <message>
        <source>1 minute ago</source>
        <translation>hace 1 minuto</translation>
    </message>
    <message numerus="yes">
        <source>%n minutes ago</source>
        <translation>
            <numerusform>hace %n minuto</numerusform>
            <numerusform>hace %n minutos</numerusform>
        </translation>
    </message>
    <message>
        <source>in 1 second</source>
        <translation>dentro de 1 segundo</translation>
    </message>
    <message numerus="yes">
        <source>in %n seconds</source>
        <translation>
            <numerusform>dentro de %n segundo</numerusform>
            <numerusform>dentro de %n segundos</numerusform>
        </translation>
    </message>
    <message>
        <source>1 second ago</source>
        <translation>hace 1 segundo</translation>
    </message>
    <message numerus="yes">
        <source>%n seconds ago</source>
        <translation>
            <numerusform>hace %n segundo</numerusform>
            <numerusform>hace %n segundos</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>Downloaded bytes of all bytes</extracomment>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>%1/s</source>
        <translation>%1/s</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>quedan %1</translation>
    </message>
    <message>
        <source>⚠️ **File access** required to read and use cookies for downloading, please allow **%1** to read the browser&apos;s profile folder (a browser installed as **Flatpak or Snap** keeps it out of reach).
Or remove cookies related options from configuration of command line tool yt-dlp.</source>
        <extracomment>Markdown; %1 is the product name</extracomment>
        <translation>⚠️ Se necesita **acceso a archivos** para leer y usar las cookies al descargar; permita que **%1** lea la carpeta del perfil del navegador (un navegador instalado como **Flatpak o Snap** la mantiene fuera de su alcance).
O bien quite las opciones relacionadas con cookies de la configuración de la herramienta de línea de comandos yt-dlp.</translation>
    </message>
</context>
<context>
    <name>SidebarItemType</name>
    <message>
        <source>All</source>
        <extracomment>Sidebar entry: every download</extracomment>
        <translation>Todas</translation>
    </message>
    <message>
        <source>Downloading</source>
        <extracomment>Sidebar entry: the running downloads</extracomment>
        <translation>Descargando</translation>
    </message>
    <message>
        <source>Stopped</source>
        <extracomment>Sidebar entry: the stopped or failed downloads</extracomment>
        <translation>Detenidas</translation>
    </message>
    <message>
        <source>Failed</source>
        <extracomment>Sidebar entry: the failed downloads</extracomment>
        <translation>Fallidas</translation>
    </message>
    <message>
        <source>Starred</source>
        <extracomment>Sidebar entry: the starred downloads</extracomment>
        <translation>Destacadas</translation>
    </message>
    <message>
        <source>Premieres</source>
        <extracomment>Sidebar entry: downloads waiting for a premiere or a live event</extracomment>
        <translation>Estrenos</translation>
    </message>
    <message>
        <source>All downloads added</source>
        <translation>Todas las descargas añadidas</translation>
    </message>
    <message>
        <source>Running downloads</source>
        <translation>Descargas en curso</translation>
    </message>
    <message>
        <source>Stopped or failed downloads</source>
        <translation>Descargas detenidas o fallidas</translation>
    </message>
    <message>
        <source>Failed downloads</source>
        <translation>Descargas fallidas</translation>
    </message>
    <message>
        <source>Starred downloads</source>
        <translation>Descargas destacadas</translation>
    </message>
    <message>
        <source>Download will begin when premieres start broadcasting.</source>
        <translation>La descarga empezará cuando comience la emisión del estreno.</translation>
    </message>
</context>
<context>
    <name>Store</name>
    <message>
        <source>it cannot be read as a database</source>
        <translation>no se puede leer como base de datos</translation>
    </message>
</context>
<context>
    <name>VideoMetadata</name>
    <message>
        <source>not a JSON object</source>
        <translation>no es un objeto JSON</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>%1 cannot open its list of downloads.

%2</source>
        <translation>%1 no puede abrir su lista de descargas.

%2</translation>
    </message>
</context>
</TS>
