#include "support/realistic_start_menu.h"

#include <array>

namespace trevalon::test {
namespace {

constexpr std::array kAllUsers{
    MenuFolder{"",
               "Access|Excel|OneNote|Outlook|PowerPoint|Publisher|Word|OneDrive|Microsoft Edge|"
               "Google Chrome|Firefox|Firefox Private Browsing|Opera Browser|Brave|Vivaldi|"
               "Thunderbird|Adobe Acrobat|Adobe Photoshop 2024|Adobe Illustrator 2024|"
               "Adobe Premiere Pro 2024|Adobe Lightroom Classic|Adobe Creative Cloud|"
               "Visual Studio 2022|Visual Studio Installer|Docker Desktop|Notepad++|Audacity|"
               "GIMP 2.10.36|Sublime Text|RStudio|Microsoft Teams|Skype|Spotify|TeamViewer|"
               "WinSCP|Wireshark|KeePass Password Safe 2|Bitwarden|Paint.NET|HWiNFO64|Rufus|"
               "balenaEtcher|TreeSize Free|Speccy|Epic Games Launcher|Fortnite|"
               "Minecraft Launcher|Xbox|Microsoft Solitaire Collection|Windows Terminal|Ubuntu|"
               "Realtek Audio Console|Cisco Secure Client|FortiClient VPN|Citrix Workspace|"
               "Microsoft Remote Desktop|Übersetzer|Éditeur vidéo|Encyclopédie Larousse|"
               "Straßenatlas Deutschland|Яндекс Браузер|微信|Καιρός|Windows Media Player Legacy|"
               "Internet Explorer|Firefox.url|Quick Assist|Calculator|Camera|Clock|Photos|"
               "Snipping Tool|Sticky Notes|Settings|Microsoft Store|Mail|Calendar|Maps|"
               "Media Player|Movies & TV|Phone Link|Voice Recorder|Weather|Microsoft To Do|"
               "Clipchamp|Get Help|Tips|Feedback Hub|Windows Security|Power Automate|"
               "Dev Home|Notepad|Paint|Terminal"},
    MenuFolder{"Accessibility",
               "Magnify|Narrator|On-Screen Keyboard|Windows Speech Recognition|"
               "Color Filters|Live Captions|Voice Access"},
    MenuFolder{"Accessories",
               "Paint|Remote Desktop Connection|Snipping Tool|Steps Recorder|WordPad|"
               "Math Input Panel|Windows Fax and Scan|XPS Viewer|Character Map|Notepad|"
               "desktop.ini"},
    MenuFolder{"Windows Tools",
               "Character Map|Command Prompt|Component Services|Computer Management|"
               "Control Panel|Defragment and Optimize Drives|Disk Cleanup|Event Viewer|"
               "File Explorer|iSCSI Initiator|Local Security Policy|ODBC Data Sources (32-bit)|"
               "ODBC Data Sources (64-bit)|Performance Monitor|Print Management|"
               "Recovery Drive|Registry Editor|Resource Monitor|Run|Services|"
               "System Configuration|System Information|Task Manager|Task Scheduler|"
               "Windows Defender Firewall with Advanced Security|Windows Memory Diagnostic|"
               "Windows PowerShell|Windows PowerShell ISE|Disk Management|Device Manager|"
               "Group Policy Editor"},
    MenuFolder{"Windows PowerShell",
               "Windows PowerShell|Windows PowerShell ISE|Windows PowerShell (x86)|"
               "Windows PowerShell ISE (x86)"},
    MenuFolder{"Microsoft Office Tools",
               "Database Compare|Office Language Preferences|Spreadsheet Compare|"
               "Telemetry Log for Office|Skype for Business Recording Manager|"
               "Telemetry Dashboard for Office|Office Upload Center"},
    MenuFolder{"Visual Studio 2022",
               "Blend for Visual Studio 2022|Developer Command Prompt for VS 2022|"
               "Developer PowerShell for VS 2022|Visual Studio 2022"},
    MenuFolder{"Visual Studio 2022/Visual Studio Tools",
               "x64 Native Tools Command Prompt for VS 2022|"
               "x86 Native Tools Command Prompt for VS 2022|"
               "x64_x86 Cross Tools Command Prompt for VS 2022|"
               "x86_x64 Cross Tools Command Prompt for VS 2022|"
               "Developer Command Prompt for VS 2022|Developer PowerShell for VS 2022|"
               "Debuggable Package Manager|Dotfuscator Community|Remote Debugger|"
               "Visual Studio Installer|Readme"},
    MenuFolder{"Windows Kits",
               "Windows App Certification Kit|Windows Performance Analyzer|"
               "Windows Performance Recorder|WinDbg (X64)|WinDbg (X86)|WinDbg (ARM64)|"
               "Windows Software Development Kit|Windows Kits Documentation"},
    MenuFolder{"Git",
               "Git Bash|Git CMD|Git GUI|Git FAQs (Frequently Asked Questions)|"
               "Git Release Notes"},
    MenuFolder{"Python 3.12",
               "IDLE (Python 3.12 64-bit)|Python 3.12 (64-bit)|Python 3.12 Manuals (64-bit)|"
               "Python 3.12 Module Docs (64-bit)"},
    MenuFolder{"Python 3.11",
               "IDLE (Python 3.11 64-bit)|Python 3.11 (64-bit)|Python 3.11 Manuals (64-bit)|"
               "Python 3.11 Module Docs (64-bit)"},
    MenuFolder{"Node.js",
               "Node.js|Node.js command prompt|Install Additional Tools for Node.js|"
               "Node.js website|Node.js documentation|Uninstall Node.js"},
    MenuFolder{"JetBrains",
               "IntelliJ IDEA Community Edition 2023.3.2|PyCharm Community Edition 2023.3.2|"
               "WebStorm 2023.3|CLion 2023.3|Rider 2023.3|DataGrip 2023.3|GoLand 2023.3|"
               "PhpStorm 2023.3"},
    MenuFolder{"Android Studio", "Android Studio|Uninstall Android Studio"},
    MenuFolder{"7-Zip", "7-Zip File Manager|7-Zip Help"},
    MenuFolder{"VideoLAN",
               "VLC media player|VLC media player - reset preferences and cache files|"
               "VLC media player skinned|Documentation|Release Notes|VideoLAN Website"},
    MenuFolder{"Inkscape", "Inkscape|Inkscape (Console)"},
    MenuFolder{"Blender", "Blender 4.0"},
    MenuFolder{"OBS Studio", "OBS Studio (64bit)|Uninstall"},
    MenuFolder{"Steam",
               "Steam|Counter-Strike 2|Dota 2|Portal 2|Half-Life 2|Stardew Valley|Terraria|"
               "Hades|Hollow Knight|Celeste|Baldur's Gate 3|Cyberpunk 2077|"
               "The Witcher 3 Wild Hunt|ELDEN RING|Sid Meier's Civilization VI|Factorio|"
               "RimWorld|Among Us|Rocket League|Valheim|No Man's Sky|Euro Truck Simulator 2|"
               "Cities Skylines|Subnautica|Slay the Spire|Deep Rock Galactic|Left 4 Dead 2|"
               "Team Fortress 2|Apex Legends|Satisfactory|Disco Elysium|Outer Wilds|"
               "Vampire Survivors|Lethal Company|Palworld|Helldivers 2|Red Dead Redemption 2|"
               "Grand Theft Auto V|Forza Horizon 5|Microsoft Flight Simulator"},
    MenuFolder{"Battle.net",
               "Battle.net|Diablo IV|Overwatch|World of Warcraft|Hearthstone|StarCraft II"},
    MenuFolder{"GOG.com",
               "GOG GALAXY|Heroes of Might and Magic 3 Complete|The Witcher|"
               "Divinity Original Sin 2"},
    MenuFolder{"GOG.com/The Witcher", "The Witcher Enhanced Edition|Manual|Uninstall"},
    MenuFolder{"Ubisoft", "Ubisoft Connect|Assassin's Creed Valhalla|Far Cry 6|Anno 1800"},
    MenuFolder{"Electronic Arts", "EA app|The Sims 4|EA SPORTS FC 24|Battlefield 2042"},
    MenuFolder{"Riot Games", "League of Legends|VALORANT|Riot Client"},
    MenuFolder{"Zoom", "Zoom|Uninstall Zoom"},
    MenuFolder{"Slack Technologies", "Slack"},
    MenuFolder{"Dropbox", "Dropbox|Dropbox Folder"},
    MenuFolder{"Telegram Desktop", "Telegram|Uninstall Telegram"},
    MenuFolder{"NVIDIA Corporation",
               "GeForce Experience|NVIDIA Broadcast|NVIDIA Control Panel|FrameView"},
    MenuFolder{"Intel",
               "Intel Graphics Command Center|Intel Driver & Support Assistant|"
               "Intel Unison"},
    MenuFolder{"Logitech", "Logitech G HUB|Logi Options+"},
    MenuFolder{"Corsair", "iCUE"},
    MenuFolder{"Oracle VM VirtualBox",
               "Oracle VM VirtualBox|License (English)|User manual (CHM, English)|"
               "User manual (PDF, English)"},
    MenuFolder{"VMware", "VMware Workstation Pro|Virtual Network Editor|VMware Player"},
    MenuFolder{"PuTTY (64-bit)", "PuTTY|PSFTP|PuTTYgen|Pageant|PuTTY Manual|PuTTY Web Site"},
    MenuFolder{"FileZilla FTP Client", "FileZilla|Uninstall"},
    MenuFolder{"Postman", "Postman"},
    MenuFolder{"Microsoft SQL Server Tools 19",
               "SQL Server Management Studio 19|SQL Server Profiler 19|"
               "Database Engine Tuning Advisor 19"},
    MenuFolder{"Microsoft SQL Server 2022",
               "SQL Server 2022 Configuration Manager|SQL Server 2022 Installation Center|"
               "SQL Server 2022 Error and Usage Reporting|SQL Server 2022 Import and Export Data "
               "(64-bit)"},
    MenuFolder{"MySQL",
               "MySQL Workbench 8.0 CE|MySQL 8.0 Command Line Client|"
               "MySQL Installer - Community|MySQL Shell"},
    MenuFolder{"PostgreSQL 16",
               "pgAdmin 4|SQL Shell (psql)|Application Stack Builder|Reload Configuration"},
    MenuFolder{"PostgreSQL 16/Documentation",
               "PostgreSQL Documentation|pgAdmin Documentation|PostgreSQL Release Notes"},
    MenuFolder{"Microsoft Azure", "Azure Data Studio|Microsoft Azure Storage Explorer"},
    MenuFolder{"Anaconda3 (64-bit)",
               "Anaconda Navigator (Anaconda3)|Anaconda Prompt (Anaconda3)|"
               "Anaconda Powershell Prompt (Anaconda3)|Jupyter Notebook (Anaconda3)|"
               "Spyder (Anaconda3)|Reset Spyder Settings (Anaconda3)"},
    MenuFolder{"R", "R 4.3.2|R x64 4.3.2"},
    MenuFolder{"LibreOffice",
               "LibreOffice|LibreOffice Base|LibreOffice Calc|LibreOffice Draw|"
               "LibreOffice Impress|LibreOffice Math|LibreOffice Writer|LibreOffice (Safe Mode)"},
    MenuFolder{"Calibre 64bit - E-book management",
               "calibre 64bit - E-book management|E-book viewer 64bit|Edit E-book 64bit|"
               "LRF viewer 64bit"},
    MenuFolder{"HandBrake", "HandBrake"},
    MenuFolder{"DaVinci Resolve",
               "DaVinci Resolve|Blackmagic RAW Player|DaVinci Control Panels Setup|"
               "DaVinci Resolve Project Server"},
    MenuFolder{"IrfanView",
               "IrfanView 64|IrfanView Thumbnails|IrfanView Help|"
               "Uninstall IrfanView"},
    MenuFolder{"ShareX", "ShareX"},
    MenuFolder{"Greenshot", "Greenshot|Readme|License|Uninstall Greenshot"},
    MenuFolder{"Everything", "Everything"},
    MenuFolder{"PowerToys (Preview)", "PowerToys (Preview)"},
    MenuFolder{"AutoHotkey", "AutoHotkey Dash|AutoHotkey Window Spy|AutoHotkey Help File"},
    MenuFolder{"WinDirStat", "WinDirStat|Help (ENG)|Uninstall"},
    MenuFolder{"CPUID", "CPU-Z|HWMonitor"},
    MenuFolder{"CrystalDiskInfo", "CrystalDiskInfo|CrystalDiskInfo (64bit)|CrystalDiskMark"},
    MenuFolder{"MSI Afterburner", "MSI Afterburner|Readme|Uninstall"},
    MenuFolder{"Java", "Check For Updates|Configure Java|About Java|Get Help"},
    MenuFolder{"Malwarebytes", "Malwarebytes"},
    MenuFolder{"CCleaner", "CCleaner"},
    MenuFolder{"AnyDesk", "AnyDesk|Uninstall AnyDesk"},
    MenuFolder{"KiCad 8.0",
               "KiCad 8.0|Schematic Editor 8.0|PCB Editor 8.0|Gerber Viewer 8.0|"
               "Image Converter 8.0|Calculator Tools 8.0|Symbol Editor 8.0|Footprint Editor 8.0"},
    MenuFolder{"Arduino IDE", "Arduino IDE"},
    MenuFolder{"MuseScore 4", "MuseScore 4|MuseHub"},
    MenuFolder{"Stellarium", "Stellarium|Stellarium (OpenGL)|Uninstall"},
    MenuFolder{"Wacom Tablet", "Wacom Center|Wacom Tablet Properties|Wacom Display Settings"},
    MenuFolder{"Brother", "Brother iPrint&Scan|Brother Utilities|ControlCenter4"},
    MenuFolder{"HP", "HP Smart|HP Support Assistant|HP Scan"},
    MenuFolder{"Epson Software", "Epson Scan 2|Epson Printer Connection Checker|Epson Manual"},
    MenuFolder{"Lenovo", "Lenovo Vantage|Lenovo Hotkeys"},
    MenuFolder{"Xbox Games",
               "Halo Infinite|Sea of Thieves|Age of Empires IV|Age of Empires II Definitive "
               "Edition|Starfield|Hi-Fi RUSH|Microsoft Mahjong|Candy Crush Saga|Genshin Impact|"
               "Honkai Star Rail|Warframe|Path of Exile|Destiny 2|Guild Wars 2|EVE Online|"
               "Rainbow Six Siege|Microsoft Minesweeper|Microsoft Jigsaw"},
    MenuFolder{"Roblox", "Roblox Player|Roblox Studio"},
    MenuFolder{"Microsoft Office",
               "Microsoft Project|Microsoft Visio|Skype for Business|"
               "Microsoft Whiteboard|Microsoft Loop"},
    MenuFolder{"Autodesk", "Autodesk Desktop App|Fusion 360|Autodesk Access"},
    MenuFolder{"Autodesk/AutoCAD 2024 - English",
               "AutoCAD 2024 - English|Attach Digital Signatures|Batch Standards Checker|"
               "Reference Manager|Reset Settings to Default|License Transfer Utility"},
    MenuFolder{"Revo Uninstaller", "Revo Uninstaller|Revo Uninstaller Help"},
    MenuFolder{"Sandboxie-Plus", "Sandboxie Start|Sandman|Sandboxie Help"},
    MenuFolder{"qBittorrent", "qBittorrent"},
    MenuFolder{"foobar2000", "foobar2000"},
    MenuFolder{"MusicBee", "MusicBee"},
    MenuFolder{"K-Lite Codec Pack", "Codec Tweak Tool|MPC-HC x64|Win7DSFilterTweaker"},
    MenuFolder{"K-Lite Codec Pack/Configuration", "LAV Video|LAV Audio|madVR|DirectVobSub"},
    MenuFolder{"SumatraPDF", "SumatraPDF"},
    MenuFolder{"Foxit PDF Reader", "Foxit PDF Reader|Activate Foxit PDF Reader"},
    MenuFolder{"PDF24", "PDF24 Toolbox|PDF24 Creator|PDF24 Fax"},
    MenuFolder{"WinMerge", "WinMerge|Read Me|WinMerge Help"},
    MenuFolder{"Beyond Compare 4", "Beyond Compare 4"},
    MenuFolder{"TortoiseGit", "Settings|Help|About|TortoiseGitMerge|TortoiseGitBlame"},
    MenuFolder{"Atlassian", "Sourcetree"},
    MenuFolder{"GitKraken", "GitKraken"},
    MenuFolder{"Razer", "Razer Synapse|Razer Cortex"},
    MenuFolder{"SteelSeries", "SteelSeries GG"},
    MenuFolder{"ASUS", "Armoury Crate|ASUS GPU Tweak III"},
    MenuFolder{"MSI", "MSI Center"},
    MenuFolder{"Samsung", "Samsung Magician|Samsung DeX"},
    MenuFolder{"Norton", "Norton 360|Norton Password Manager"},
    MenuFolder{"ESET", "ESET Security|ESET SysInspector"},
    MenuFolder{"Eclipse Adoptium", "JDK 21 Documentation|JDK 21 Release Notes"},
    MenuFolder{"Eclipse", "Eclipse IDE for Java Developers"},
    MenuFolder{"Apache NetBeans", "Apache NetBeans IDE 20"},
    MenuFolder{"Unity", "Unity Hub|Unity 2022.3.12f1"},
    MenuFolder{"Godot", "Godot Engine|Godot Engine (Console)"},
    MenuFolder{"Webex", "Webex"},
    MenuFolder{"Viber", "Viber"},
    MenuFolder{"Epic Games", "Unreal Engine|Unreal Editor"},
    MenuFolder{"Wolfram", "Wolfram Mathematica 14.0|Wolfram Player 14.0"},
    MenuFolder{"MATLAB R2023b", "MATLAB R2023b|Deactivate MATLAB|Activate MATLAB"},
    MenuFolder{"Scribus 1.6", "Scribus 1.6|Uninstall Scribus"},
    MenuFolder{"Krita", "Krita|Krita (Animation)"},
    MenuFolder{"darktable", "darktable"},
    MenuFolder{"Notes", "Notes 1|Notes 2|Notes 16|Notes 100|Notes 9"},
    MenuFolder{"Startup", ""},
    MenuFolder{"Maintenance", "Help|Uninstall"},
    MenuFolder{"Administrative Tools", "Registry Editor|Services|Event Viewer|Task Scheduler"},
};

constexpr std::array kThisUser{
    MenuFolder{"",
               "Visual Studio Code|Discord|Spotify|WhatsApp|Signal|Obsidian|Notion|Figma|"
               "Cursor|GitHub Desktop|Microsoft Teams (work or school)|Miro|1Password|"
               "Postman Agent|Insomnia|Beekeeper Studio|Todoist|Evernote|Zotero|Anki|"
               "Audible|Kindle|Amazon Music|Apple Music|iTunes|Netflix|Prime Video|Disney+|"
               "Twitch|YouTube Music|Tor Browser|Proton VPN|NordVPN|OpenVPN GUI|"
               "Windows Subsystem for Linux|Neovim|Emacs|Vim 9.0|gVim 9.0|Far Manager 3|"
               "Total Commander 64 bit|Double Commander|Greenshot Editor"},
    MenuFolder{"Chrome Apps",
               "Gmail|Google Docs|Google Drive|Google Sheets|Google Slides|"
               "YouTube|Google Meet|Google Calendar"},
    MenuFolder{"Visual Studio Code", "Visual Studio Code"},
    MenuFolder{"Discord Inc", "Discord"},
    MenuFolder{"GitHub, Inc", "GitHub Desktop"},
    MenuFolder{"Programs", "Microsoft Edge Canary|Google Chrome Beta"},
    MenuFolder{"Startup", "Send to OneNote"},
    MenuFolder{"Accessibility", "Narrator|Magnify"},
    MenuFolder{"Games",
               "Chess Titans|Minesweeper|Solitaire|Pinball|Mahjong Titans|"
               "Hearts|FreeCell|Spider Solitaire|Purble Place"},
    MenuFolder{"Work",
               "Timesheet|VPN to Office|Expenses Report.xlsx|Team Wiki.url|"
               "Meeting Notes.docx"},
};

constexpr std::array kTyped{
    // Whole names and their beginnings.
    TypedText{"excel", "Excel"},
    TypedText{"exc", "Excel"},
    TypedText{"word", "Word"},
    TypedText{"wor", "Word"},
    TypedText{"power", "PowerPoint"},
    TypedText{"powerp", "PowerPoint"},
    TypedText{"outl", "Outlook"},
    TypedText{"onenote", "OneNote"},
    TypedText{"onen", "OneNote"},
    TypedText{"onedr", "OneDrive"},
    TypedText{"access", "Access"},
    TypedText{"publ", "Publisher"},
    TypedText{"chrome", "Google Chrome"},
    TypedText{"google chrome", "Google Chrome"},
    TypedText{"firefox", "Firefox"},
    TypedText{"fire", "Firefox"},
    TypedText{"edge", "Microsoft Edge"},
    TypedText{"opera", "Opera Browser"},
    TypedText{"brave", "Brave"},
    TypedText{"vivaldi", "Vivaldi"},
    TypedText{"thunder", "Thunderbird"},
    TypedText{"acrobat", "Adobe Acrobat"},
    TypedText{"photoshop", "Adobe Photoshop 2024"},
    TypedText{"illus", "Adobe Illustrator 2024"},
    TypedText{"premiere", "Adobe Premiere Pro 2024"},
    TypedText{"lightroom", "Adobe Lightroom Classic"},
    TypedText{"notepad++", "Notepad++"},
    TypedText{"notepad", "Notepad"},
    TypedText{"note", "Notepad"},
    TypedText{"audac", "Audacity"},
    TypedText{"gimp", "GIMP 2.10.36"},
    TypedText{"sublime", "Sublime Text"},
    TypedText{"rstudio", "RStudio"},
    TypedText{"teams", "Microsoft Teams"},
    TypedText{"skype", "Skype"},
    TypedText{"spotify", "Spotify"},
    TypedText{"spot", "Spotify"},
    TypedText{"teamv", "TeamViewer"},
    TypedText{"winscp", "WinSCP"},
    TypedText{"wiresh", "Wireshark"},
    TypedText{"keepass", "KeePass Password Safe 2"},
    TypedText{"bitw", "Bitwarden"},
    TypedText{"paint.net", "Paint.NET"},
    TypedText{"paint", "Paint"},
    TypedText{"rufus", "Rufus"},
    TypedText{"etcher", "balenaEtcher"},
    TypedText{"treesize", "TreeSize Free"},
    TypedText{"epic", "Epic Games Launcher"},
    TypedText{"fortnite", "Fortnite"},
    TypedText{"minecraft", "Minecraft Launcher"},
    TypedText{"xbox", "Xbox"},
    TypedText{"solitaire", "Solitaire"},
    TypedText{"terminal", "Terminal"},
    TypedText{"ubuntu", "Ubuntu"},
    TypedText{"realtek", "Realtek Audio Console"},
    TypedText{"calc", "Calculator"},
    TypedText{"calculator", "Calculator"},
    TypedText{"camera", "Camera"},
    TypedText{"photos", "Photos"},
    TypedText{"snip", "Snipping Tool"},
    TypedText{"settings", "Settings"},
    TypedText{"store", "Microsoft Store"},
    TypedText{"mail", "Mail"},
    TypedText{"calendar", "Calendar"},
    TypedText{"weather", "Weather"},
    TypedText{"clipchamp", "Clipchamp"},
    TypedText{"magnif", "Magnify"},
    TypedText{"narrator", "Narrator"},
    TypedText{"on-screen", "On-Screen Keyboard"},
    TypedText{"remote desktop", "Remote Desktop Connection"},
    TypedText{"wordpad", "WordPad"},
    TypedText{"character map", "Character Map"},
    TypedText{"command prompt", "Command Prompt"},
    TypedText{"control panel", "Control Panel"},
    TypedText{"control", "Control Panel"},
    TypedText{"disk cleanup", "Disk Cleanup"},
    TypedText{"event viewer", "Event Viewer"},
    TypedText{"event", "Event Viewer"},
    TypedText{"registry", "Registry Editor"},
    TypedText{"regedit", "Registry Editor"},
    TypedText{"services", "Services"},
    TypedText{"task manager", "Task Manager"},
    TypedText{"task sch", "Task Scheduler"},
    TypedText{"device manager", "Device Manager"},
    TypedText{"powershell", "Windows PowerShell"},
    TypedText{"powershell ise", "Windows PowerShell ISE"},
    TypedText{"steam", "Steam"},
    TypedText{"dota", "Dota 2"},
    TypedText{"portal", "Portal 2"},
    TypedText{"stardew", "Stardew Valley"},
    TypedText{"terraria", "Terraria"},
    TypedText{"hades", "Hades"},
    TypedText{"hollow", "Hollow Knight"},
    TypedText{"baldur", "Baldur's Gate 3"},
    TypedText{"cyberpunk", "Cyberpunk 2077"},
    TypedText{"witcher 3", "The Witcher 3 Wild Hunt"},
    TypedText{"elden", "ELDEN RING"},
    TypedText{"civ", "Sid Meier's Civilization VI"},
    TypedText{"factorio", "Factorio"},
    TypedText{"rimworld", "RimWorld"},
    TypedText{"rocket", "Rocket League"},
    TypedText{"valheim", "Valheim"},
    TypedText{"no man", "No Man's Sky"},
    TypedText{"euro truck", "Euro Truck Simulator 2"},
    TypedText{"subnautica", "Subnautica"},
    TypedText{"slay", "Slay the Spire"},
    TypedText{"gta", "Grand Theft Auto V"},
    TypedText{"forza", "Forza Horizon 5"},
    TypedText{"flight sim", "Microsoft Flight Simulator"},
    TypedText{"battle.net", "Battle.net"},
    TypedText{"diablo", "Diablo IV"},
    TypedText{"overwatch", "Overwatch"},
    TypedText{"wow", "World of Warcraft"},
    TypedText{"hearth", "Hearthstone"},
    TypedText{"starcraft", "StarCraft II"},
    TypedText{"gog", "GOG GALAXY"},
    TypedText{"heroes", "Heroes of Might and Magic 3 Complete"},
    TypedText{"ubisoft", "Ubisoft Connect"},
    TypedText{"assassin", "Assassin's Creed Valhalla"},
    TypedText{"sims", "The Sims 4"},
    TypedText{"league", "League of Legends"},
    TypedText{"valorant", "VALORANT"},
    TypedText{"zoom", "Zoom"},
    TypedText{"slack", "Slack"},
    TypedText{"dropbox", "Dropbox"},
    TypedText{"telegram", "Telegram"},
    TypedText{"geforce", "GeForce Experience"},
    TypedText{"nvidia control", "NVIDIA Control Panel"},
    TypedText{"g hub", "Logitech G HUB"},
    TypedText{"icue", "iCUE"},
    TypedText{"virtualbox", "Oracle VM VirtualBox"},
    TypedText{"vmware work", "VMware Workstation Pro"},
    TypedText{"putty", "PuTTY"},
    TypedText{"puttygen", "PuTTYgen"},
    TypedText{"filezilla", "FileZilla"},
    TypedText{"postman", "Postman"},
    TypedText{"ssms", "SQL Server Management Studio 19"},
    TypedText{"management studio", "SQL Server Management Studio 19"},
    TypedText{"workbench", "MySQL Workbench 8.0 CE"},
    TypedText{"pgadmin", "pgAdmin 4"},
    TypedText{"psql", "SQL Shell (psql)"},
    TypedText{"azure data", "Azure Data Studio"},
    TypedText{"anaconda nav", "Anaconda Navigator (Anaconda3)"},
    TypedText{"jupyter", "Jupyter Notebook (Anaconda3)"},
    TypedText{"spyder", "Spyder (Anaconda3)"},
    TypedText{"libreoffice writer", "LibreOffice Writer"},
    TypedText{"calibre", "calibre 64bit - E-book management"},
    TypedText{"handbrake", "HandBrake"},
    TypedText{"davinci", "DaVinci Resolve"},
    TypedText{"irfan", "IrfanView 64"},
    TypedText{"sharex", "ShareX"},
    TypedText{"greenshot", "Greenshot"},
    TypedText{"everything", "Everything"},
    TypedText{"powertoys", "PowerToys (Preview)"},
    TypedText{"autohotkey", "AutoHotkey Dash"},
    TypedText{"windirstat", "WinDirStat"},
    TypedText{"cpu-z", "CPU-Z"},
    TypedText{"cpuz", "CPU-Z"},
    TypedText{"crystaldisk", "CrystalDiskInfo"},
    TypedText{"afterburner", "MSI Afterburner"},
    TypedText{"malware", "Malwarebytes"},
    TypedText{"ccleaner", "CCleaner"},
    TypedText{"anydesk", "AnyDesk"},
    TypedText{"kicad", "KiCad 8.0"},
    TypedText{"arduino", "Arduino IDE"},
    TypedText{"musescore", "MuseScore 4"},
    TypedText{"stellarium", "Stellarium"},
    TypedText{"wacom", "Wacom Center"},
    TypedText{"vantage", "Lenovo Vantage"},
    TypedText{"discord", "Discord"},
    TypedText{"whatsapp", "WhatsApp"},
    TypedText{"signal", "Signal"},
    TypedText{"obsidian", "Obsidian"},
    TypedText{"notion", "Notion"},
    TypedText{"figma", "Figma"},
    TypedText{"github", "GitHub Desktop"},
    TypedText{"zotero", "Zotero"},
    TypedText{"anki", "Anki"},
    TypedText{"netflix", "Netflix"},
    TypedText{"tor", "Tor Browser"},
    TypedText{"nordvpn", "NordVPN"},
    TypedText{"wsl", "Windows Subsystem for Linux"},
    TypedText{"total commander", "Total Commander 64 bit"},
    TypedText{"gmail", "Gmail"},
    TypedText{"google docs", "Google Docs"},
    TypedText{"sheets", "Google Sheets"},
    TypedText{"youtube", "YouTube"},
    TypedText{"minesweeper", "Minesweeper"},
    TypedText{"timesheet", "Timesheet"},
    TypedText{"expenses", "Expenses Report"},
    TypedText{"wiki", "Team Wiki"},
    // Letter case and diacritics do not count.
    TypedText{"EXCEL", "Excel"},
    TypedText{"uber", "Übersetzer"},
    TypedText{"ubersetzer", "Übersetzer"},
    TypedText{"editeur", "Éditeur vidéo"},
    TypedText{"editeur video", "Éditeur vidéo"},
    TypedText{"encyclopedie", "Encyclopédie Larousse"},
    TypedText{"strassenatlas", "Straßenatlas Deutschland"},
    TypedText{"яндекс", "Яндекс Браузер"},
    TypedText{"微信", "微信"},
    TypedText{"καιρος", "Καιρός"},
    // Initials.
    TypedText{"cm", "Character Map"},
    TypedText{"vsc", "Visual Studio Code"},
    TypedText{"vscode", "Visual Studio Code"},
    TypedText{"vlc", "VLC media player"},
    TypedText{"tm", "Task Manager"},
    TypedText{"rdc", "Remote Desktop Connection"},
    TypedText{"osk", "On-Screen Keyboard"},
    TypedText{"ps ise", "Windows PowerShell ISE"},
    TypedText{"7zip file", "7-Zip File Manager"},
    TypedText{"lol", "League of Legends"},
    TypedText{"cs2", "Counter-Strike 2"},
    TypedText{"ets2", "Euro Truck Simulator 2"},
    TypedText{"rdr2", "Red Dead Redemption 2"},
    TypedText{"idea", "IntelliJ IDEA Community Edition 2023.3.2"},
    TypedText{"pycharm", "PyCharm Community Edition 2023.3.2"},
    // Words in any order, and several words.
    TypedText{"notes sticky", "Sticky Notes"},
    TypedText{"sticky", "Sticky Notes"},
    TypedText{"code visual", "Visual Studio Code"},
    TypedText{"installer visual", "Visual Studio Installer"},
    TypedText{"prompt developer", "Developer Command Prompt for VS 2022"},
    TypedText{"editor registry", "Registry Editor"},
    TypedText{"manager task", "Task Manager"},
    TypedText{"git bash", "Git Bash"},
    TypedText{"bash", "Git Bash"},
    TypedText{"python 3.12", "Python 3.12 (64-bit)"},
    TypedText{"node", "Node.js"},
    TypedText{"media player", "Media Player"},
    // Folder names: what a folder above holds.
    TypedText{"office spreadsheet", "Spreadsheet Compare"},
    TypedText{"kicad pcb", "PCB Editor 8.0"},
    TypedText{"anaconda prompt", "Anaconda Prompt (Anaconda3)"},
    TypedText{"witcher manual", "GOG.com/The Witcher/Manual"},
    TypedText{"greenshot readme", "Greenshot/Readme"},
    TypedText{"zoom uninstall", "Zoom/Uninstall Zoom"},
    TypedText{"obs stu", "OBS Studio (64bit)"},
    // Letters in order with gaps.
    TypedText{"phtshp", "Adobe Photoshop 2024"},
    TypedText{"wrdpd", "WordPad"},
    TypedText{"thndrbrd", "Thunderbird"},
    TypedText{"spotfy", "Spotify"},
    TypedText{"blendr", "Blender 4.0"},
    // Numbers as numbers, the shorter name first.
    TypedText{"notes 1", "Notes 1"},
    TypedText{"notes 16", "Notes 16"},
    TypedText{"notes 10", "Notes 100"},
    // What the person starts every day comes first within its tier.
    TypedText{"g", "Google Chrome"},
    TypedText{"v", "Visual Studio Code"},
    TypedText{"s", "Spotify"},
    TypedText{"o", "Outlook"},
    TypedText{"d", "Discord"},
    TypedText{"e", "Excel"},
    TypedText{"st", "Steam"},
    TypedText{"w", "Word"},
    TypedText{"p", "PowerPoint"},
};

constexpr std::array kLaunches{
    PastLaunch{"Google Chrome.lnk", 60, 0},
    PastLaunch{"Visual Studio Code.lnk", 45, 0},
    PastLaunch{"Excel.lnk", 30, 1},
    PastLaunch{"Outlook.lnk", 40, 0},
    PastLaunch{"Spotify.lnk", 25, 0},
    PastLaunch{"Microsoft Teams.lnk", 35, 0},
    PastLaunch{"Discord.lnk", 20, 1},
    PastLaunch{"Steam.lnk", 12, 2},
    PastLaunch{"Word.lnk", 15, 3},
    PastLaunch{"PowerPoint.lnk", 6, 5},
    PastLaunch{"Windows PowerShell.lnk", 4, 9},
    PastLaunch{"Notepad.lnk", 9, 4},
    PastLaunch{"Dota 2.lnk", 3, 60},
    PastLaunch{"Skype.lnk", 2, 200},
};

}  // namespace

std::span<const MenuFolder> all_users_programs() {
    return kAllUsers;
}
std::span<const MenuFolder> this_users_programs() {
    return kThisUser;
}
std::span<const TypedText> typed_texts() {
    return kTyped;
}
std::span<const PastLaunch> past_launches() {
    return kLaunches;
}

}  // namespace trevalon::test
